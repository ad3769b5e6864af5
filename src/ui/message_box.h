#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <system_error>

extern const char* const kApplicationTitle;

// Shows a modal message box with an OK button only, no icon, and the application title.
void ShowMessage(HWND owner, const std::string& text);

// Where a window sends its messages; tests put a recorder in place of the message box.
using MessageSink = std::function<void(HWND owner, const std::string& text)>;

std::string WindowText(HWND window);

// The system's own description of a file error, for the user.
std::string DescribeError(const std::error_code& error);
