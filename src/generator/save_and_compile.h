#pragma once

#include <functional>
#include <string>
#include <system_error>

// Saves the source view's text as the XML file, writes Zonewright.bat in the program's folder
// and starts it, minimized and without waiting. The steps run in this order, and a failure
// ends them: the XML file is complete before the batch file is touched, and the batch file is
// emptied before the compiler location is read. Returns "" on success, else what failed, which
// file and the system's reason, for the user.
// `start` runs the batch file; tests put a recorder in its place.
using BatchStarter = std::function<std::error_code(const std::string& batchPath)>;
std::error_code StartMinimized(const std::string& batchPath);

std::string SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                                 const BatchStarter& start = StartMinimized);
