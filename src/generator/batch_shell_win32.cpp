#include "generator/batch_shell_win32.h"

#include <windows.h>

#include <vector>

#include "win32/handles.h"
#include "win32/system_error_win32.h"

namespace {

const size_t kKeptOutput = 64 * 1024;

unsigned Resolved(unsigned codePage) {
    if (codePage == CP_ACP) return GetACP();
    if (codePage == CP_OEMCP) return GetOEMCP();
    return codePage;
}

// Wide text as a vector: std::wstring would bring the whole of its library instantiation along.
using WideText = std::vector<wchar_t>;

// A failed conversion is a text the target cannot hold, whatever the system's reason.
Result<WideText> Widened(const std::string& text, unsigned codePage, DWORD flags) {
    Result<WideText> wide;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length > 0) {
        wide.value.resize(static_cast<size_t>(length));
        if (MultiByteToWideChar(codePage, flags, text.data(), size, wide.value.data(), length) == length) return wide;
    }
    wide.error = Failure::UnreadableByShell;
    return wide;
}

// UTF-8 and UTF-7 take no flags and no default character: every character has a form in them.
bool IsUnicode(unsigned codePage) {
    return codePage == CP_UTF8 || codePage == CP_UTF7;
}

Result<std::string> Narrowed(const WideText& wide, unsigned codePage, bool exact) {
    Result<std::string> text;
    const DWORD flags = exact && !IsUnicode(codePage) ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL lossy = FALSE;
    BOOL* lost = exact && !IsUnicode(codePage) ? &lossy : nullptr;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lost);
    if (length > 0) {
        text.value.resize(static_cast<size_t>(length));
        if (WideCharToMultiByte(codePage, flags, wide.data(), size, &text.value[0], length, nullptr, lost) == length &&
            !lossy) {
            return text;
        }
    }
    text.error = Failure::UnreadableByShell;
    return text;
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
    name.value = whole.substr(whole.find_last_of("\\/") + 1);
    return name;
}

// What the watching thread owns: the shell's process, the pipe's reading end and the shared run.
struct Watch {
    UniqueHandle process;
    UniqueHandle output;
    std::shared_ptr<ShellRun> run;
    std::function<void()> whenEnded;
};

DWORD WINAPI WatchShell(void* parameter) {
    const std::unique_ptr<Watch> watch(static_cast<Watch*>(parameter));
    if (!watch->process) return 0;  // the shell could not be started
    // Read to the end, so that a talkative compiler never blocks on a full pipe.
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(watch->output.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
        if (output.size() > kKeptOutput) output.erase(0, output.size() - kKeptOutput);
    }
    WaitForSingleObject(watch->process.get(), INFINITE);
    watch->run->output = ConvertLossy(output, GetOEMCP(), GetACP());
    watch->run->ended.store(true, std::memory_order_release);
    watch->whenEnded();
    return 0;
}

}  // namespace

Result<std::string> ConvertExactly(const std::string& text, unsigned fromCodePage, unsigned toCodePage) {
    if (text.empty()) return {};
    const unsigned from = Resolved(fromCodePage);
    // UTF-7 alone takes no MB_ERR_INVALID_CHARS.
    const Result<WideText> wide = Widened(text, from, from == CP_UTF7 ? 0 : MB_ERR_INVALID_CHARS);
    if (wide.error) return {"", wide.error, ""};
    return Narrowed(wide.value, Resolved(toCodePage), true);
}

std::string ConvertLossy(const std::string& text, unsigned fromCodePage, unsigned toCodePage) {
    if (text.empty()) return text;
    const Result<WideText> wide = Widened(text, Resolved(fromCodePage), 0);
    if (wide.error) return text;
    const Result<std::string> narrow = Narrowed(wide.value, Resolved(toCodePage), false);
    return narrow.error ? text : narrow.value;
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
        const size_t end = path.find_first_of("\\/", start);
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
                                                   std::function<void()> whenEnded) {
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
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        start.error = LastError();
        return start;
    }
    UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    UniqueHandle input(
        CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!input || !SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0)) {
        start.error = LastError();
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

    // The batch file by its bare name in the shell's own folder: no path on the command line
    // that the shell could expand (a folder named with %NAME% would run another batch file).
    std::string command = "cmd.exe /d /q /v:off /c " + batchName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    startup.hStdInput = input.get();
    startup.hStdOutput = writer.get();
    startup.hStdError = writer.get();
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(shell.c_str(), &command[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, folder.c_str(),
                        &startup, &process)) {
        start.error = LastError();
        ResumeThread(thread.get());  // it finds no process and ends
        return start;
    }
    CloseHandle(process.hThread);
    watched->process = UniqueHandle(process.hProcess);
    watched->output = std::move(reader);
    start.value = watched->run;
    // The pipe ends when the last writer closes: this process must hold none.
    writer.Reset();
    ResumeThread(thread.get());
    return start;
}
