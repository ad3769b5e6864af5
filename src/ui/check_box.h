#pragma once

#include <windows.h>

#include "model/exclusion_area.h"

// Notification code sent to the parent in WM_COMMAND whenever a three-state check box
// made by MakeCheckBoxNotifyChanges changes its state, by a click or by BM_SETCHECK from
// anyone. Writing the state the box already has sends nothing.
constexpr WORD kCheckStateChanged = 0x4000;

bool MakeCheckBoxNotifyChanges(HWND checkBox);
bool IsThreeStateCheckBox(HWND control);

CheckState GetCheckState(HWND checkBox);
void SetCheckState(HWND checkBox, CheckState state);

// A click turns a ticked box clear and any other box ticked.
void ToggleCheckState(HWND checkBox);
