#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

#include "model/result.h"

// What the program asks of the platform's file system beyond whole-file text: full paths and
// whether two name the same file, the size and last write of a file, and a file held while it
// is in use.

// The path as the system resolves it: full, from the current folder, with short names made long
// where the file exists. The path itself when it cannot be resolved.
std::string FullPath(const std::string& path);

// Whether the two paths name the same file: where both are there, by the files themselves (the
// volume and the file's index in it); else by their names as the system resolves them, without
// regard to case, in the same folder (known as the files are, where it is there).
bool SameFile(const std::string& a, const std::string& b);

struct FileStat {
    long long lastWrite = 0;  // in the platform's own units
    long long size = 0;       // in bytes
    bool operator==(const FileStat& other) const { return lastWrite == other.lastWrite && size == other.size; }
    bool operator!=(const FileStat& other) const { return !(*this == other); }
};

// The file's size and last write; an error when there is no file of that name (a folder is none).
Result<FileStat> StatFile(const std::string& path);

// A file this program holds open while it uses it: other programs may read it, but none may
// write, replace or delete it until the hold ends.
class HeldFile {
public:
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // The file's content becomes these bytes, on disk when this returns.
    std::error_code Replace(const std::string& bytes);

    // The platform's handle of the open file, for another process to hold it by a handle of its own.
    std::intptr_t handle() const { return handle_; }

private:
    friend Result<std::unique_ptr<HeldFile>> HoldFile(const std::string& path);
    explicit HeldFile(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;  // the platform's handle of the open file
};

// Opens the file, creating it empty when it is missing, and holds it. Failure::FileInUse when
// another program holds it, or has it open for writing.
Result<std::unique_ptr<HeldFile>> HoldFile(const std::string& path);
