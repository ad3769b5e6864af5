#pragma once

#include <cstddef>
#include <string>
#include <system_error>

// The calling thread's last error, as an error code of the system's category.
std::error_code LastError();

// The system's own text for an error code, as FormatMessage gives it (its line break included),
// cut to bufferSize - 1 characters; "" when the system has none.
std::string SystemMessage(unsigned long code, size_t bufferSize = 512);
