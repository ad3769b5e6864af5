#pragma once

#include <string>

// A fresh, empty folder for one test, removed with everything in it at the end.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string Path(const std::string& name) const;

private:
    std::string path_;
};
