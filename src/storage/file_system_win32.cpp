#include <windows.h>

#include <io.h>

#include <optional>
#include <string>
#include <vector>

#include "storage/ansi_text.h"
#include "storage/file_system.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"
#include "win32/handles.h"
#include "win32/system_error_win32.h"
#include "win32/wide_text.h"

namespace {

// The long form of a path whose file exists; "" for none, and for one that the ANSI code page
// cannot write, whose short form is then the only name to use.
std::string LongPath(const std::string& path) {
    std::optional<WideText> wide = Widened(path, CP_ACP);
    if (!wide || wide->empty()) return "";
    wide->push_back(L'\0');
    WideText longPath(MAX_PATH);
    const DWORD length = GetLongPathNameW(wide->data(), longPath.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    longPath.resize(length);
    return Narrowed(longPath, GetACP(), true).value_or("");
}

// The program's file as the system names it, in UTF-16; empty when it does not tell.
WideText WideProgramFile() {
    WideText path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Its short form, where the volume keeps short names.
WideText ShortForm(WideText path) {
    path.push_back(L'\0');
    // A short name may be longer than its long one: asked for its size first.
    WideText shortPath(GetShortPathNameW(path.data(), nullptr, 0));
    const DWORD length = GetShortPathNameW(path.data(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return {};
    shortPath.resize(length);
    return shortPath;
}

// The volume and the index within it of an existing file or folder, whatever its name.
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

// Nothing for a file that is not there or cannot be asked. Opened for no access, which no other
// program's sharing refuses.
std::optional<FileIdentity> IdentityOf(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const UniqueHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

LeadBytes AnsiLeadBytes() {
    LeadBytes lead;
    CPINFO info;
    if (GetCPInfo(CP_ACP, &info)) {
        for (int range = 0; range + 1 < MAX_LEADBYTES && info.LeadByte[range] != 0; range += 2) {
            for (int byte = info.LeadByte[range]; byte <= info.LeadByte[range + 1]; ++byte) lead.set(byte);
        }
    }
    return lead;
}

// Read once, as the program starts: the code page does not change while it runs.
const LeadBytes kAnsiLeadBytes = AnsiLeadBytes();

}  // namespace

std::error_code ResetFileAttributes(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE) ? std::error_code{} : LastError();
}

std::error_code CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const size_t nameStart = FileNameStart(path);
    const std::string folder = nameStart == 0 ? "." : path.substr(0, nameStart);
    char name[MAX_PATH];
    // With 0 for its number, GetTempFileName tries numbers until it has created a new file.
    if (GetTempFileNameA(folder.c_str(), "zw", 0, name) == 0) return LastError();
    temporary = name;
    return {};
}

Result<FileStat> StatFile(const std::string& path) {
    Result<FileStat> stat;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        stat.error = LastError();
    } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        stat.error = std::error_code(ERROR_DIRECTORY, std::system_category());
    } else {
        stat.value.lastWrite =
            static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
        stat.value.size = static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
    return stat;
}

// A file that does not exist yet keeps its name, in the long form of its folder.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return path;
    const std::string resolved(full, length);
    if (std::string whole = LongPath(resolved); !whole.empty()) return whole;
    const size_t nameStart = FileNameStart(resolved);
    const std::string folder = LongPath(resolved.substr(0, nameStart));
    return folder.empty() ? resolved : folder + resolved.substr(nameStart);
}

// Whether the names are the same as the file system compares them: character by character, each
// letter in upper case.
bool SameName(const std::string& a, const std::string& b) {
    const std::optional<WideText> first = Widened(a, CP_ACP);
    const std::optional<WideText> second = Widened(b, CP_ACP);
    return first && second &&
           CompareStringOrdinal(first->data(), static_cast<int>(first->size()), second->data(),
                                static_cast<int>(second->size()), TRUE) == CSTR_EQUAL;
}

// Files that are there are compared themselves, so that another name of one (a subst or mapped
// drive, a junction, a link) is the same file. A file that is not there yet by its name in its
// folder, and the folders themselves where they are there.
bool SameFile(const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> firstFile = IdentityOf(a);
    const std::optional<FileIdentity> secondFile = IdentityOf(b);
    if (firstFile && secondFile) return *firstFile == *secondFile;
    const std::string first = FullPath(a), second = FullPath(b);
    const size_t firstName = FileNameStart(first), secondName = FileNameStart(second);
    if (!SameName(first.substr(firstName), second.substr(secondName))) return false;
    const std::optional<FileIdentity> firstFolder = IdentityOf(first.substr(0, firstName));
    const std::optional<FileIdentity> secondFolder = IdentityOf(second.substr(0, secondName));
    if (firstFolder && secondFolder) return *firstFolder == *secondFolder;
    return SameName(first, second);
}

HeldFile::~HeldFile() {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::error_code HeldFile::Replace(const std::string& bytes) {
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    DWORD written = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(file) ||
        !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        !FlushFileBuffers(file)) {
        return LastError();
    }
    return {};
}

// Shared for reading alone: a writer, a replacement or a deletion by anyone else is refused.
Result<std::unique_ptr<HeldFile>> HoldFile(const std::string& path) {
    Result<std::unique_ptr<HeldFile>> held;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        held.error = GetLastError() == ERROR_SHARING_VIOLATION ? std::error_code(Failure::FileInUse) : LastError();
        return held;
    }
    held.value.reset(new HeldFile(reinterpret_cast<std::intptr_t>(file)));
    return held;
}

const LeadBytes& SystemLeadBytes() {
    return kAnsiLeadBytes;
}

std::error_code FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || _commit(_fileno(file)) != 0) return std::error_code(errno, std::generic_category());
    return {};
}

std::error_code MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? std::error_code{}
                                                                                                     : LastError();
}

// The C runtime keeps the system's own code of a failed open beside errno.
std::error_code OpenFailure() {
    if (_doserrno != 0) return std::error_code(static_cast<int>(_doserrno), std::system_category());
    return std::error_code(errno ? errno : EIO, std::generic_category());
}

std::string DescribeError(const std::error_code& error) {
    if (error.category() != std::system_category()) return error.message();
    const std::string text = SystemMessage(static_cast<unsigned long>(error.value()));
    return text.empty() ? "Error " + std::to_string(error.value()) + "." : text;
}

// The ANSI functions open only what the ANSI code page can write: where the full path has a
// character without a form there, its short form stands in.
std::string ProgramFile() {
    const WideText path = WideProgramFile();
    if (path.empty()) return "";
    if (std::optional<std::string> ansi = Narrowed(path, GetACP(), true)) return *ansi;
    const WideText shortPath = ShortForm(path);
    return shortPath.empty() ? "" : Narrowed(shortPath, GetACP(), true).value_or("");
}

std::string ProgramFolderFault() {
    const WideText path = WideProgramFile();
    if (path.empty() || !ProgramFile().empty()) return "";
    return "Zonewright cannot use its folder \"" + FolderOf(Narrowed(path, GetACP(), false).value_or("")) +
           "\": its name has characters that the system's language cannot write (they are shown here as near as "
           "it can), and the drive keeps no short names to stand in for them.\r\n\r\nSettings cannot be read or "
           "saved there and no .bgl file can be made. Move Zonewright to a folder whose name the system's language "
           "can write, such as C:\\Zonewright, and start it there.";
}
