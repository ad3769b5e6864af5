#pragma once

#include <windows.h>

#include <functional>
#include <string>

extern const char* const kApplicationTitle;

// Shows a modal message box with the application title: `style` is one of the MB_ICON styles, or
// 0 for none, with an OK button only unless it names others (MB_YESNO). Returns the button
// pressed (IDOK, IDYES, IDNO).
int ShowMessage(HWND owner, const std::string& text, UINT style = 0);

// Where a window sends its messages; tests put a recorder in place of the message box.
using MessageSink = std::function<int(HWND owner, const std::string& text, UINT style)>;

// The icon of the program's own reports of a failed file operation.
constexpr UINT kFailureIcon = MB_ICONEXCLAMATION;

std::string WindowText(HWND window);
