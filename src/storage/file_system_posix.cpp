#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <filesystem>
#include <string>

#include "storage/ansi_text.h"
#include "storage/file_system.h"
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

Result<FileStat> StatFile(const std::string& path) {
    Result<FileStat> stat;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        stat.error = LastPosixError();
    } else if (S_ISDIR(info.st_mode)) {
        stat.error = std::make_error_code(std::errc::is_a_directory);
    } else {
        stat.value.lastWrite = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        stat.value.size = static_cast<long long>(info.st_size);
    }
    return stat;
}

std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

// Files that are there are compared themselves; others by name, without regard to case, as on
// Windows, whose names these are.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat firstFile, secondFile;
    if (stat(a.c_str(), &firstFile) == 0 && stat(b.c_str(), &secondFile) == 0) {
        return firstFile.st_dev == secondFile.st_dev && firstFile.st_ino == secondFile.st_ino;
    }
    std::string first = FullPath(a), second = FullPath(b);
    for (std::string* text : {&first, &second}) {
        for (char& c : *text) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return first == second;
}

HeldFile::~HeldFile() {
    close(static_cast<int>(handle_));
}

std::error_code HeldFile::Replace(const std::string& bytes) {
    const int file = static_cast<int>(handle_);
    if (ftruncate(file, 0) != 0 || pwrite(file, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()) ||
        fsync(file) != 0) {
        return LastPosixError();
    }
    return {};
}

// An exclusive lock stands for the sharing Windows refuses: another holder is kept out.
Result<std::unique_ptr<HeldFile>> HoldFile(const std::string& path) {
    Result<std::unique_ptr<HeldFile>> held;
    const int file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) {
        held.error = LastPosixError();
        return held;
    }
    if (flock(file, LOCK_EX | LOCK_NB) != 0) {
        held.error = errno == EWOULDBLOCK ? std::error_code(Failure::FileInUse) : LastPosixError();
        close(file);
        return held;
    }
    held.value.reset(new HeldFile(file));
    return held;
}

// The native build's text is UTF-8, where no byte of a character is an ASCII one.
const LeadBytes& SystemLeadBytes() {
    static const LeadBytes none;
    return none;
}

std::error_code FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || fsync(fileno(file)) != 0) return LastPosixError();
    return {};
}

std::error_code MoveReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code{} : LastPosixError();
}

std::string DescribeError(const std::error_code& error) { return error.message(); }

std::error_code OpenFailure() { return std::error_code(errno ? errno : EIO, std::generic_category()); }

std::string ProgramFile() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return "";
    return std::string(path, static_cast<size_t>(length));
}

// Every name of the native build is UTF-8, which writes every character.
std::string ProgramFolderFault() {
    return "";
}
