#pragma once

#include <windows.h>

#include <functional>
#include <string>

extern const char* const kApplicationTitle;

// Shows a modal message box with an OK button only and the application title; the icon is one of
// the MB_ICON styles, or 0 for none.
void ShowMessage(HWND owner, const std::string& text, UINT icon = 0);

// Where a window sends its messages; tests put a recorder in place of the message box.
using MessageSink = std::function<void(HWND owner, const std::string& text, UINT icon)>;

// The icon of the program's own reports of a failed file operation.
constexpr UINT kFailureIcon = MB_ICONEXCLAMATION;

std::string WindowText(HWND window);
