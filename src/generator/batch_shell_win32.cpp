#include "generator/batch_shell_win32.h"

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "storage/ansi_text.h"
#include "win32/handles.h"
#include "win32/system_error_win32.h"
#include "win32/wide_text.h"

namespace {

const size_t kKeptOutput = 64 * 1024;

unsigned Resolved(unsigned codePage) {
    if (codePage == CP_ACP) return GetACP();
    if (codePage == CP_OEMCP) return GetOEMCP();
    return codePage;
}

// The short form of the last name of a path, as GetShortPathName gives it in ANSI.
Result<std::string> ShortName(const std::string& path) {
    Result<std::string> name;
    std::vector<char> shortPath(32768);
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) {
        name.error = LastError();
        return name;
    }
    const std::string whole(shortPath.data(), length);
    name.value = whole.substr(FileNameStart(whole));
    return name;
}

// Once the shell has ended, a program it left running may hold its output open for as long as it
// lives: the compile ends all the same, with what came within this while.
const DWORD kOutputAfterEndMs = 2000;

// What the watching thread owns: the shell's process, the pipe's reading end (overlapped, so
// that the wait for output never keeps it from seeing the shell end) and the shared run.
struct Watch {
    UniqueHandle process;
    UniqueHandle output;
    UniqueHandle readDone;
    std::shared_ptr<ShellRun> run;
    std::function<void()> whenEnded;
};

// Waits for the read under way to end; the shell's end starts the while after it (`deadline`),
// counted from the moment the end is seen, however long the shell was silent before. The shell
// is asked first: output that never pauses (a helper the compiler left) does not hide its end.
// False once that while is over, even with more output waiting.
bool AwaitRead(const Watch& watch, ULONGLONG& deadline) {
    const HANDLE events[] = {watch.process.get(), watch.readDone.get()};
    for (;;) {
        if (deadline) {
            const ULONGLONG now = GetTickCount64();
            return now < deadline && WaitForSingleObject(watch.readDone.get(), static_cast<DWORD>(deadline - now)) ==
                                         WAIT_OBJECT_0;
        }
        switch (WaitForMultipleObjects(2, events, FALSE, INFINITE)) {
        case WAIT_OBJECT_0: deadline = GetTickCount64() + kOutputAfterEndMs; break;
        case WAIT_OBJECT_0 + 1: return true;
        default: return false;
        }
    }
}

// Reads the pipe until it closes, or until the while after the shell's end is over.
std::string ReadOutput(const Watch& watch) {
    std::string output;
    char buffer[4096];
    OVERLAPPED read = {};
    read.hEvent = watch.readDone.get();
    ULONGLONG deadline = 0;
    for (;;) {
        if (!ReadFile(watch.output.get(), buffer, sizeof buffer, nullptr, &read) &&
            GetLastError() != ERROR_IO_PENDING) {
            return output;  // every writer has closed the pipe
        }
        DWORD got = 0;
        if (!AwaitRead(watch, deadline)) {
            // The read still waits and writes into the buffer: it must end before the buffer does.
            CancelIo(watch.output.get());
            GetOverlappedResult(watch.output.get(), &read, &got, TRUE);
            return output;
        }
        if (!GetOverlappedResult(watch.output.get(), &read, &got, FALSE)) return output;
        output.append(buffer, got);
        if (output.size() > kKeptOutput) output.erase(0, output.size() - kKeptOutput);
    }
}

DWORD WINAPI WatchShell(void* parameter) {
    const std::unique_ptr<Watch> watch(static_cast<Watch*>(parameter));
    if (!watch->process) return 0;  // the shell could not be started
    const std::string output = ReadOutput(*watch);
    WaitForSingleObject(watch->process.get(), INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(watch->process.get(), &exitCode)) exitCode = GetLastError();
    watch->run->output = ConvertLossy(output, GetOEMCP(), GetACP());
    watch->run->exitCode = exitCode;
    watch->run->ended.store(true, std::memory_order_release);
    watch->whenEnded();
    return 0;
}

// The pipe for the shell's output: a named one, since only such a pipe reads overlapped. The
// reading end stays here; the writing end is for the shell to inherit.
std::error_code MakeOutputPipe(UniqueHandle& reader, UniqueHandle& writer) {
    static std::atomic<unsigned> pipes{0};
    const std::string name =
        "\\\\.\\pipe\\Zonewright-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++pipes);
    reader = UniqueHandle(
        CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                         PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096, 4096, 0, nullptr));
    if (!reader) return LastError();
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    writer = UniqueHandle(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return writer ? std::error_code{} : LastError();
}

// The attribute list that gives the shell these handles to inherit, and no other.
class InheritedHandles {
public:
    explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        buffer_.resize(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
        if (!InitializeProcThreadAttributeList(list_, 1, 0, &size)) {
            error_ = LastError();
            list_ = nullptr;
        } else if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                              handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
            error_ = LastError();
            DeleteProcThreadAttributeList(list_);
            list_ = nullptr;
        }
    }
    ~InheritedHandles() {
        if (list_) DeleteProcThreadAttributeList(list_);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    // nullptr when the list could not be made, and then why.
    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }
    std::error_code error() const { return error_; }

private:
    std::vector<HANDLE> handles_;
    std::vector<char> buffer_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    std::error_code error_;
};

}  // namespace

Result<std::string> ConvertExactly(const std::string& text, unsigned fromCodePage, unsigned toCodePage) {
    if (text.empty()) return {};
    const unsigned from = Resolved(fromCodePage);
    // UTF-7 alone takes no MB_ERR_INVALID_CHARS. A failed conversion is a text the target cannot
    // hold, whatever the system's reason.
    const std::optional<WideText> wide = Widened(text, from, from == CP_UTF7 ? 0 : MB_ERR_INVALID_CHARS);
    if (!wide) return {"", Failure::UnreadableByShell, ""};
    std::optional<std::string> narrow = Narrowed(wide->data(), wide->size(), toCodePage, true);
    if (!narrow) return {"", Failure::UnreadableByShell, ""};
    return {std::move(*narrow), {}, ""};
}

std::string ConvertLossy(const std::string& text, unsigned fromCodePage, unsigned toCodePage) {
    if (text.empty()) return text;
    const std::optional<WideText> wide = Widened(text, Resolved(fromCodePage));
    if (!wide) return text;
    const std::optional<std::string> narrow = Narrowed(wide->data(), wide->size(), toCodePage, false);
    return narrow ? *narrow : text;
}

// The shell reads batch files in the OEM code page.
Shell CommandShell() {
    return {[](const std::string& path) { return PathForBatch(path, GetOEMCP()); }, &StartBatch};
}

Result<std::string> PathForBatch(const std::string& path, unsigned shellCodePage) {
    Result<std::string> converted;
    if (path.find_first_of("\"\r\n") != std::string::npos) {
        converted.error = Failure::UnreadableByShell;
        return converted;
    }
    for (size_t start = 0;;) {
        const size_t end = FindCharacter(path, "\\/", start);
        const bool fileName = end == std::string::npos;
        Result<std::string> name = ConvertExactly(path.substr(start, end - start), CP_ACP, shellCodePage);
        if (name.error && !fileName) {
            const Result<std::string> shortName = ShortName(path.substr(0, end));
            if (!shortName.error) name = ConvertExactly(shortName.value, CP_ACP, shellCodePage);
        }
        if (name.error) {
            converted.error = name.error;
            return converted;
        }
        converted.value += name.value;
        if (fileName) return converted;
        converted.value += path[end];
        start = end + 1;
    }
}

Result<std::shared_ptr<const ShellRun>> StartBatch(const std::string& folder, const std::string& batchName,
                                                   const HeldFile& batch, std::function<void()> whenEnded) {
    Result<std::shared_ptr<const ShellRun>> start;
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        start.error = LastError();
        return start;
    }
    const std::string shell = std::string(system) + "\\cmd.exe";

    // The shell's output and error go into one pipe; its input is NUL, so a compiler that asks
    // for a key goes on at once instead of waiting for a key nobody can press.
    UniqueHandle reader, writer;
    if (const std::error_code error = MakeOutputPipe(reader, writer)) {
        start.error = error;
        return start;
    }
    // Each failure's error is taken at its call, before another call can overwrite it.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle input(
        CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!input) {
        start.error = LastError();
        return start;
    }
    UniqueHandle readDone(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!readDone) {
        start.error = LastError();
        return start;
    }
    // These two and no other handle of the program: whatever else it holds stays its own.
    const InheritedHandles inherited({input.get(), writer.get()});
    if (!inherited.list()) {
        start.error = inherited.error();
        return start;
    }

    auto watch = std::make_unique<Watch>();
    watch->run = std::make_shared<ShellRun>();
    watch->whenEnded = std::move(whenEnded);
    Watch* watched = watch.get();
    // Made first and held until the shell runs, so that a thread that cannot be made leaves
    // nothing running unwatched. From here on the thread owns the watch.
    const UniqueHandle thread(CreateThread(nullptr, 0, &WatchShell, watched, CREATE_SUSPENDED, nullptr));
    if (!thread) {
        start.error = LastError();
        return start;
    }
    watch.release();

    // The batch file in the shell's own folder, by a name the shell looks for nowhere else: no
    // path on the command line that the shell could expand (a folder named with %NAME% would run
    // another batch file), and no search along the PATH.
    std::string command = "cmd.exe /d /q /v:off /c .\\" + batchName;
    STARTUPINFOEXA startup = {};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.StartupInfo.wShowWindow = SW_SHOWMINIMIZED;
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = writer.get();
    startup.StartupInfo.hStdError = writer.get();
    startup.lpAttributeList = inherited.list();
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(shell.c_str(), &command[0], nullptr, nullptr, TRUE,
                        CREATE_NEW_CONSOLE | EXTENDED_STARTUPINFO_PRESENT | CREATE_SUSPENDED, nullptr, folder.c_str(),
                        &startup.StartupInfo, &process)) {
        start.error = LastError();
        ResumeThread(thread.get());  // it finds no process and ends
        return start;
    }
    const UniqueHandle shellThread(process.hThread);
    UniqueHandle shellProcess(process.hProcess);
    // Before the shell runs: the hold, once in the shell, lasts while the shell reads the file line
    // by line, and ends with it.
    HANDLE hold = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(batch.handle()), shellProcess.get(), &hold, 0,
                         FALSE, DUPLICATE_SAME_ACCESS)) {
        start.error = LastError();
        TerminateProcess(shellProcess.get(), 1);
        ResumeThread(thread.get());
        return start;
    }
    ResumeThread(shellThread.get());
    watched->process = std::move(shellProcess);
    watched->output = std::move(reader);
    watched->readDone = std::move(readDone);
    start.value = watched->run;
    // The pipe ends when the last writer closes: this process must hold none.
    writer.Reset();
    ResumeThread(thread.get());
    return start;
}
