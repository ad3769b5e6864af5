#pragma once

#include <cstddef>
#include <string>
#include <system_error>

// OpenInBrowser hands on URLs shorter than this: 32,000 characters, as a command line holds 32,767
// and the browser's own part comes before the URL. Wine's shell (8.0) writes the browser's command
// line into 1,024 characters and, beyond them, overruns its buffer and takes the program down:
// under Wine, 900.
size_t BrowserUrlLimit();

// Opens the URL in the user's default browser through the shell, as a click on a link does, and
// returns once the browser has been started. The system's error when it could not be, such as
// ERROR_NO_ASSOCIATION where no browser is set, or ERROR_FILENAME_EXCED_RANGE for a URL of
// BrowserUrlLimit() characters or more. shell32 and ole32 are loaded at the first use.
std::error_code OpenInBrowser(const std::string& url);
