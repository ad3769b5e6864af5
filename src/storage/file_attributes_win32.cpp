#include <windows.h>

#include "storage/text_file.h"

std::error_code ResetFileAttributes(const std::string& path) {
    if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE)) return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}
