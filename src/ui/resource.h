#pragma once

// Resource and command ids; plain #defines so the resource compiler reads them too.

#define IDI_ZONEWRIGHT 1
#define IDB_CORNER 2
#define IDR_MAINMENU 3
#define IDR_ACCELERATORS 4

// Menu commands of the main window; accelerators send the same ids.
#define ID_menuNew 40001
#define ID_menuOpen 40002
#define ID_menuSave 40003
#define ID_menuExit 40004
#define ID_menuSettings 40005
#define ID_help 40006
#define ID_menuMap 40007

// Controls of the main window.
#define IDC_Frame1 1001
#define IDC_latitudemaximum 1002
#define IDC_Label1 1003
#define IDC_longitudeminimum 1004
#define IDC_Label2 1005
#define IDC_Label3 1006
#define IDC_Label4 1007
#define IDC_Label5 1008
#define IDC_Label6 1009
#define IDC_latitudeminimum 1010
#define IDC_longitudemaximum 1011
#define IDC_Frame2 1012
#define IDC_Exec_All 1013
#define IDC_Exec_Beacon 1014
#define IDC_Exec_Effects 1015
#define IDC_Exec_GenBuild 1016
#define IDC_Exec_Library 1017
#define IDC_Exec_TaxiSigns 1018
#define IDC_Exec_Triggers 1019
#define IDC_Exec_Windsocks 1020
#define IDC_generate 1021
#define IDC_txtoutput 1022
#define IDC_save 1023
#define IDC_Label7 1024
#define IDC_NW1 1025
#define IDC_NW2 1026
#define IDC_SE1 1027
#define IDC_SE2 1028
#define IDC_DelSRC 1029
#define IDC_Frame3 1030
#define IDC_Image1 1031
#define IDC_lblAreas 1032
#define IDC_lstAreas 1033
#define IDC_cmdAddArea 1034
#define IDC_cmdRemoveArea 1035

// Controls of the information window; its OK button is IDOK so that Enter presses it.
#define IDC_Info_Label1 2001
#define IDC_Info_Label6 2002
#define IDC_Info_Label2 2003
#define IDC_Info_Label3 2004
#define IDC_Info_Label4 2005
#define IDC_Info_Label5 2006

// Controls of the settings window. Its buttons are neither IDOK nor IDCANCEL: Enter and
// Escape press no button but the focused one.
#define IDC_Options_Frame1 3001
#define IDC_Options_Label1 3002
#define IDC_Options_Text1 3003
#define IDC_Options_Command1 3004
#define IDC_Options_Command2 3005
#define IDC_Options_Command3 3006
