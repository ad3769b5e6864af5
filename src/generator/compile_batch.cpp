#include "generator/compile_batch.h"

#include <vector>

const char* const kDefineCompilerMessage =
    "Please define \"bglcomp.exe\" location from \"Settings\" or you will not be able to generate .bgl files.";
const char* const kCompilerStillRunningMessage =
    "The compiler is still running on the last source you saved.\r\n\r\nSave again once it has finished. "
    "To stop it, close its window on the task bar.";

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

std::string CompiledBglPath(const std::string& xmlPath) {
    const size_t nameStart = xmlPath.find_last_of("\\/:") + 1;  // npos + 1 is 0: no folder part
    const size_t dot = xmlPath.rfind('.');
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

std::string CompileFailedMessage(const std::string& bglPath, const std::string& xmlPath, const std::string& output) {
    const std::string printed = LastLines(output, kShownLines);
    return "No .bgl file was made: the compiler did not write \"" + bglPath + "\".\r\n\r\n" +
           (printed.empty() ? "The compiler printed nothing." : "The compiler printed:\r\n" + printed) +
           "\r\n\r\nThe XML source \"" + xmlPath + "\" was kept.";
}
