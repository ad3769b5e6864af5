#pragma once

#include <windows.h>

#include <functional>
#include <string>

extern const char* const kApplicationTitle;

// Shows a modal message box with an OK button only, no icon, and the application title.
void ShowMessage(HWND owner, const std::string& text);

// Where a window sends its messages; tests put a recorder in place of the message box.
using MessageSink = std::function<void(HWND owner, const std::string& text)>;

std::string WindowText(HWND window);
