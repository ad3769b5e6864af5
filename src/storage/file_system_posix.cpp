#include <sys/stat.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <string>

#include "storage/program_folder.h"
#include "storage/text_file.h"

namespace {

std::error_code LastPosixError() { return std::error_code(errno, std::generic_category()); }

}  // namespace

// The nearest POSIX equivalent of "archive alone": the owner may write the file again.
std::error_code ResetFileAttributes(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || chmod(path.c_str(), info.st_mode | S_IWUSR) != 0) return LastPosixError();
    return {};
}

std::error_code CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const size_t slash = path.find_last_of('/');
    std::string name = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".zw-XXXXXX";
    const int descriptor = mkstemp(&name[0]);
    if (descriptor < 0) return LastPosixError();
    close(descriptor);
    temporary = name;
    return {};
}

Result<long long> LastWriteTime(const std::string& path) {
    Result<long long> time;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        time.error = LastPosixError();
    } else if (S_ISDIR(info.st_mode)) {
        time.error = std::make_error_code(std::errc::is_a_directory);
    } else {
        time.value = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    }
    return time;
}

std::error_code FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || fsync(fileno(file)) != 0) return LastPosixError();
    return {};
}

std::error_code MoveReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code{} : LastPosixError();
}

std::string DescribeError(const std::error_code& error) { return error.message(); }

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return ".";
    const std::string file(path, static_cast<size_t>(length));
    return file.substr(0, file.find_last_of('/'));
}
