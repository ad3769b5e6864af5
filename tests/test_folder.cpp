#include "test_folder.h"

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
