#pragma once

#include <windows.h>

#include "ui/resource.h"

// The information window's texts, word for word, by control.
struct ControlText {
    int id;
    const char* text;
};

constexpr ControlText kInfoWindowTexts[] = {
    {IDOK, "OK"},
    {IDC_Info_Label1, "Zonewright Info"},
    {IDC_Info_Label6, "Version 2.0"},
    {IDC_Info_Label2,
     "This small program should help you to create exclude files for FS2004 using the new XML based code and the "
     "new compiler."},
    {IDC_Info_Label3,
     "You may insert the coordinates by hand or using FSConnect module which imports your current location data. "
     "To import a coordinate value into any textboxes press the corresponding \"FSC\" button(s). "},
    {IDC_Info_Label4, "Zonewright supports both decimal and degrees-minutes-seconds format."},
    {IDC_Info_Label5, "Please note that you should generate code before you generate the .bgl file."},
};
