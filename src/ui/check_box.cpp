#include "ui/check_box.h"

#include <commctrl.h>

namespace {

LRESULT CALLBACK NotifyingCheckBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != BM_SETCHECK) return DefSubclassProc(box, message, wParam, lParam);
    const LRESULT before = DefSubclassProc(box, BM_GETCHECK, 0, 0);
    const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
    if (DefSubclassProc(box, BM_GETCHECK, 0, 0) != before) {
        SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), kCheckStateChanged),
                     reinterpret_cast<LPARAM>(box));
    }
    return result;
}

}  // namespace

bool MakeCheckBoxNotifyChanges(HWND checkBox) {
    return SetWindowSubclass(checkBox, &NotifyingCheckBox, 1, 0) != FALSE;
}

bool IsThreeStateCheckBox(HWND control) {
    return control && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_3STATE;
}

CheckState GetCheckState(HWND checkBox) {
    switch (SendMessageA(checkBox, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return CheckState::Ticked;
    case BST_INDETERMINATE: return CheckState::Grayed;
    default: return CheckState::Clear;
    }
}

void SetCheckState(HWND checkBox, CheckState state) {
    static const WPARAM kButtonStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    SendMessageA(checkBox, BM_SETCHECK, kButtonStates[static_cast<int>(state)], 0);
}

void ToggleCheckState(HWND checkBox) {
    SetCheckState(checkBox, GetCheckState(checkBox) == CheckState::Ticked ? CheckState::Clear : CheckState::Ticked);
}
