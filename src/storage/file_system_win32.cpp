#include <windows.h>

#include <io.h>

#include <string>
#include <vector>

#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "win32/system_error_win32.h"

std::error_code ResetFileAttributes(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE) ? std::error_code{} : LastError();
}

std::error_code CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const size_t separator = path.find_last_of("\\/:");
    const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
    char name[MAX_PATH];
    // With 0 for its number, GetTempFileName tries numbers until it has created a new file.
    if (GetTempFileNameA(folder.c_str(), "zw", 0, name) == 0) return LastError();
    temporary = name;
    return {};
}

Result<long long> LastWriteTime(const std::string& path) {
    Result<long long> time;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        time.error = LastError();
    } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        time.error = std::error_code(ERROR_DIRECTORY, std::system_category());
    } else {
        time.value =
            static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    }
    return time;
}

std::error_code FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || _commit(_fileno(file)) != 0) return std::error_code(errno, std::generic_category());
    return {};
}

std::error_code MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? std::error_code{}
                                                                                                     : LastError();
}

std::string DescribeError(const std::error_code& error) {
    if (error.category() != std::system_category()) return error.message();
    const std::string text = SystemMessage(static_cast<unsigned long>(error.value()));
    return text.empty() ? "Error " + std::to_string(error.value()) + "." : text;
}

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".";
        if (length < path.size()) {
            const std::string file(path.data(), length);
            return file.substr(0, file.find_last_of("\\/"));
        }
        path.resize(path.size() * 2);
    }
}
