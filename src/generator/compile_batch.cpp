#include "generator/compile_batch.h"

#include <cctype>
#include <cstdio>
#include <vector>

const char* const kDefineCompilerMessage =
    "Please define \"bglcomp.exe\" location from \"Settings\" or you will not be able to generate .bgl files.";
const char* const kCompilerStillRunningMessage =
    "The compiler is still running on the last source you saved.\r\n\r\nSave again once it has finished.";

namespace {

const size_t kShownLines = 20;

std::string QuotedForBatch(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + "\"";
}

}  // namespace

std::string CompileBatchText(const std::string& compilerLocation, const std::string& xmlPath) {
    return QuotedForBatch(compilerLocation) + " " + QuotedForBatch(xmlPath) + "\r\n";
}

std::string CompiledBglPath(const std::string& xmlPath, const LeadBytes& lead) {
    const size_t nameStart = FileNameStart(xmlPath, lead);
    const size_t dot = FindLastCharacter(xmlPath, ".", lead);
    if (dot == std::string::npos || dot < nameStart) return xmlPath + ".bgl";
    return xmlPath.substr(0, dot) + ".bgl";
}

std::string LastLines(const std::string& output, size_t count) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < output.size();) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().find_first_not_of(" \t\r") == std::string::npos) lines.pop_back();
    size_t first = lines.size() > count ? lines.size() - count : 0;
    while (first < lines.size() && lines[first].find_first_not_of(" \t\r") == std::string::npos) ++first;
    std::string text;
    for (size_t i = first; i < lines.size(); ++i) text += (i == first ? "" : "\r\n") + lines[i];
    return text;
}

bool IsNetworkPath(const std::string& path) {
    std::string start = path.substr(0, 8);
    for (char& c : start) c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (start.compare(0, 2, "\\\\") != 0) return false;
    // \\?\ and \\.\ also name local drives; \\?\UNC\ is the long form of \\server\share.
    if (start[2] == '?' || start[2] == '.') return start.size() == 8 && start[3] == '\\' && start.substr(4) == "unc\\";
    return true;
}

std::string CompileFailedMessage(const std::string& bglPath, const std::string& xmlPath, const std::string& output,
                                 unsigned long exitCode, BglLeft bgl) {
    std::string outcome;
    if (exitCode == 0 && bgl == BglLeft::Unchanged) {
        outcome = "The compiler reported success, but \"" + bglPath +
                  "\" kept the time and size it had before, so it cannot be told whether the compiler wrote it "
                  "again: on a drive that keeps file times in 2-second steps (FAT32), a new .bgl of the same size "
                  "written within one step looks the same. Check the .bgl file before you use it.";
    } else if (exitCode == 0) {
        outcome = bgl == BglLeft::Empty ? "No .bgl file was made: the compiler left \"" + bglPath + "\" empty."
                                        : "No .bgl file was made: the compiler did not write \"" + bglPath + "\".";
    } else {
        // Codes of the size of a system status (a console closed, a crash) read better in hex.
        char code[32];
        std::snprintf(code, sizeof code, exitCode > 0xFFFF ? "0x%08lX" : "%lu", exitCode);
        outcome = std::string("The compiler failed (exit code ") + code + ").";
        outcome += bgl == BglLeft::Nothing || bgl == BglLeft::Unchanged
                       ? " It did not write \"" + bglPath + "\"."
                       : " The .bgl file \"" + bglPath + "\" that it wrote may be incomplete: do not use it.";
    }
    const std::string printed = LastLines(output, kShownLines);
    return outcome + "\r\n\r\n" +
           (printed.empty() ? "The compiler printed nothing." : "The compiler printed:\r\n" + printed) +
           "\r\n\r\nThe XML source \"" + xmlPath + "\" was kept.";
}
