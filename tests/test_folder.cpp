#include "test_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder = fs::temp_directory_path() /
                      ("zonewright-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    fs::create_directories(folder);
    path_ = folder.string();
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

// Joined as bytes: names are in the ANSI code page, which a filesystem path would reinterpret.
std::string TestFolder::Path(const std::string& name) const {
#ifdef _WIN32
    return path_ + "\\" + name;
#else
    return path_ + "/" + name;
#endif
}

bool MoveWriteTimeToEndOfItsSecond(const std::string& path) {
#ifdef _WIN32
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME written;
    bool moved = GetFileTime(file, nullptr, nullptr, &written);
    if (moved) {
        // In 100 ns units: the second's last one.
        ULARGE_INTEGER time = {{written.dwLowDateTime, written.dwHighDateTime}};
        time.QuadPart = time.QuadPart / 10000000 * 10000000 + 9999999;
        written = {time.LowPart, time.HighPart};
        moved = SetFileTime(file, nullptr, nullptr, &written);
    }
    CloseHandle(file);
    return moved;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {info.st_mtim.tv_sec, 999999999}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
}
