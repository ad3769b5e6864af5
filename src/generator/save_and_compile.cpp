#include "generator/save_and_compile.h"

#include <windows.h>

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "generator/compile_batch.h"
#include "storage/ini_read.h"
#include "storage/text_file.h"
#include "storage/program_folder.h"

namespace {

std::error_code LastError() { return std::error_code(static_cast<int>(GetLastError()), std::system_category()); }

// The path in the OEM code page, in which the command shell reads batch files; nullopt when a
// character has no OEM form.
std::optional<std::string> InOemCodePage(const std::string& ansi) {
    if (ansi.empty()) return ansi;
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr, &lossy);
    std::string oem(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, oem.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return oem;
}

// The path as the shell must read it: in the OEM code page, or as its short form when it has a
// character the OEM code page lacks. A quote or a line break, which no path holds, would end the
// quoted path or the batch line early: such a text is refused.
std::optional<std::string> PathForBatch(const std::string& path) {
    if (path.find_first_of("\"\r\n") != std::string::npos) return std::nullopt;
    if (std::optional<std::string> oem = InOemCodePage(path)) return oem;
    std::vector<char> shortPath(32768);
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return std::nullopt;
    return InOemCodePage(std::string(shortPath.data(), length));
}

std::string Failure(const std::string& what, const std::string& path, const std::error_code& error,
                    const std::string& consequence) {
    return what + " \"" + path + "\".\r\n\r\n" + DescribeError(error) + consequence;
}

}  // namespace

std::error_code StartMinimized(const std::string& batchPath) {
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return LastError();
    const std::string shell = std::string(system) + "\\cmd.exe";
    // The doubled quotes survive the shell's own quote stripping whatever the path holds.
    std::string command = "cmd.exe /d /c \"\"" + batchPath + "\"\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(shell.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, &process)) {
        return LastError();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

std::string SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                                 const BatchStarter& start) {
    if (std::error_code error = WriteWholeFile(xmlPath, source + "\r\n")) {
        return Failure("The XML source could not be saved to", xmlPath, error, "");
    }
    const std::string batchPath = BatchFilePath();
    const std::string notCompiled = "\r\nThe XML source was saved, but the compiler was not started.";
    if (std::error_code error = WriteWholeFile(batchPath, "")) {
        return Failure("The batch file could not be written:", batchPath, error, notCompiled);
    }
    const std::string settingsPath = SettingsFilePath();
    const IniValue compiler = ReadIniValue(settingsPath, kSettingsSection, kCompilerKey);
    if (compiler.error) {
        return Failure("The compiler location could not be read from", settingsPath, compiler.error, notCompiled);
    }
    const std::optional<std::string> compilerForBatch = PathForBatch(compiler.value);
    const std::optional<std::string> xmlForBatch = PathForBatch(xmlPath);
    if (!compilerForBatch || !xmlForBatch) {
        return "The path \"" + (compilerForBatch ? xmlPath : compiler.value) +
               "\" cannot be written into the batch file: it has characters the command shell cannot read." +
               notCompiled;
    }
    const std::string text = CompileBatchText(*compilerForBatch, *xmlForBatch, deleteSource);
    if (std::error_code error = WriteWholeFile(batchPath, text)) {
        return Failure("The batch file could not be written:", batchPath, error, notCompiled);
    }
    if (std::error_code error = start(batchPath)) {
        return Failure("The batch file could not be started:", batchPath, error,
                       "\r\nThe XML source and the batch file were saved.");
    }
    return "";
}
