#include <sys/stat.h>

#include <cerrno>

#include "storage/text_file.h"

// The nearest POSIX equivalent of "archive alone": the owner may write the file again.
std::error_code ResetFileAttributes(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || chmod(path.c_str(), info.st_mode | S_IWUSR) != 0) {
        return std::error_code(errno, std::generic_category());
    }
    return {};
}
