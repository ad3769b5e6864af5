#include <windows.h>

#include <io.h>

#include "storage/text_file.h"

namespace {

std::error_code LastWindowsError() { return std::error_code(static_cast<int>(GetLastError()), std::system_category()); }

}  // namespace

std::error_code ResetFileAttributes(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE) ? std::error_code{} : LastWindowsError();
}

std::error_code FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || _commit(_fileno(file)) != 0) return std::error_code(errno, std::generic_category());
    return {};
}

std::error_code MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::error_code{}
               : LastWindowsError();
}
