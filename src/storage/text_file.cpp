#include "storage/text_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::error_code LastError() { return std::error_code(errno ? errno : EIO, std::generic_category()); }

}  // namespace

std::error_code CreateFileIfMissing(const std::string& path) {
    if (UniqueFile existing{std::fopen(path.c_str(), "rb")}) return {};
    errno = 0;
    UniqueFile created{std::fopen(path.c_str(), "ab")};
    return created ? std::error_code{} : LastError();
}

Result<std::string> ReadWholeFile(const std::string& path, size_t limit) {
    Result<std::string> content;
    errno = 0;
    UniqueFile file{std::fopen(path.c_str(), "rb")};
    if (!file) {
        content.error = OpenFailure();
        return content;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        // Never more than the limit in memory: a file of gigabytes must not end the program.
        if (got > limit - content.value.size()) {
            content.value.clear();
            content.error = Failure::FileTooLarge;
            return content;
        }
        content.value.append(buffer, got);
    }
    if (std::ferror(file.get())) content.error = LastError();
    return content;
}

Result<std::string> ReadFileStart(const std::string& path, size_t count) {
    Result<std::string> start;
    errno = 0;
    UniqueFile file{std::fopen(path.c_str(), "rb")};
    if (!file) {
        start.error = OpenFailure();
        return start;
    }
    start.value.resize(count);
    start.value.resize(std::fread(&start.value[0], 1, count, file.get()));
    if (std::ferror(file.get())) start.error = LastError();
    return start;
}

std::error_code TryReading(const std::string& path) {
    errno = 0;
    UniqueFile file{std::fopen(path.c_str(), "rb")};
    return file ? std::error_code{} : LastError();
}

std::error_code WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::string temporary;
    if (std::error_code error = CreateTemporaryBeside(path, temporary)) return error;
    errno = 0;
    UniqueFile file{std::fopen(temporary.c_str(), "wb")};
    if (!file) {
        const std::error_code error = LastError();
        std::remove(temporary.c_str());
        return error;
    }
    std::error_code error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) error = LastError();
    if (!error) error = FlushToDisk(file.get());
    if (std::fclose(file.release()) != 0 && !error) error = LastError();
    if (!error) error = MoveReplacing(temporary, path);
    if (error) std::remove(temporary.c_str());
    return error;
}

std::error_code RemoveFile(const std::string& path) {
    errno = 0;
    return std::remove(path.c_str()) == 0 ? std::error_code{} : LastError();
}
