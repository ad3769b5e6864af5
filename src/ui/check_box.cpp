#include "ui/check_box.h"

namespace {

// The box's own window procedure, kept in its user data while the subclass runs.
WNDPROC OriginalProcedure(HWND box) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA)); }

LRESULT CALLBACK NotifyingCheckBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = OriginalProcedure(box);
    if (message != BM_SETCHECK) return CallWindowProcA(original, box, message, wParam, lParam);
    const LRESULT before = CallWindowProcA(original, box, BM_GETCHECK, 0, 0);
    const LRESULT result = CallWindowProcA(original, box, message, wParam, lParam);
    if (CallWindowProcA(original, box, BM_GETCHECK, 0, 0) != before) {
        SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), kCheckStateChanged),
                     reinterpret_cast<LPARAM>(box));
    }
    return result;
}

}  // namespace

// Subclassed through the window procedure itself, not comctl32's SetWindowSubclass: the program
// then needs comctl32 only for the look of its controls.
bool MakeCheckBoxNotifyChanges(HWND checkBox) {
    if (OriginalProcedure(checkBox)) return true;
    const LONG_PTR original = GetWindowLongPtrA(checkBox, GWLP_WNDPROC);
    if (!original) return false;
    SetWindowLongPtrA(checkBox, GWLP_USERDATA, original);
    return SetWindowLongPtrA(checkBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotifyingCheckBox)) != 0;
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
