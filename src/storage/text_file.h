#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <system_error>

#include "model/result.h"

// Whole-file access for the program's small text files. Paths and contents are 8-bit text
// in the system's ANSI code page; nothing is converted.

// Creates an empty file when none exists; an existing file is left as it is.
std::error_code CreateFileIfMissing(const std::string& path);

// Clears read-only, hidden and system, leaving the file with the archive attribute alone.
std::error_code ResetFileAttributes(const std::string& path);

// The program's text files are small: none is read beyond this.
constexpr size_t kTextFileLimit = 64 * 1024 * 1024;

// The file's bytes; Failure::FileTooLarge when there are more than `limit` of them.
Result<std::string> ReadWholeFile(const std::string& path, size_t limit = kTextFileLimit);

// The file's first `count` bytes, or all of a shorter one.
Result<std::string> ReadFileStart(const std::string& path, size_t count);

// Opens the file for reading and closes it again: whether it can be read.
std::error_code TryReading(const std::string& path);

// Creates or replaces the file with exactly these bytes. The bytes go to a temporary file
// beside it first, flushed to disk, which then takes the file's place in one step: until
// the new content is complete the old file stays as it was. The temporary file gets a name
// no other file in that folder has, so no file of the user's is ever touched by it.
std::error_code WriteWholeFile(const std::string& path, const std::string& bytes);

std::error_code RemoveFile(const std::string& path);

// The system's own description of a file error, for the user.
std::string DescribeError(const std::error_code& error);

// The platform's part.
// Why the std::fopen that just failed did, as the system tells it where it can.
std::error_code OpenFailure();
// Creates an empty file in the folder of `path` under a name that no file there had.
std::error_code CreateTemporaryBeside(const std::string& path, std::string& temporary);
std::error_code FlushToDisk(std::FILE* file);
std::error_code MoveReplacing(const std::string& from, const std::string& to);
