#include "stand_in.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include "fsdata_check.h"

const char* const kStandInMarker = "Zonewright stand-in compiler output: not a real BGL file";

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The C library's text for the last failure; an unset errno would read "no error", so EIO stands in.
std::string SystemReason() {
    return std::strerror(errno ? errno : EIO);
}

struct FileRead {
    std::string bytes;
    std::string error;  // Empty when the file was read.
};

FileRead ReadFile(const std::string& path) {
    FileRead read;
    errno = 0;
    UniqueFile file{std::fopen(path.c_str(), "rb")};
    if (!file) {
        read.error = SystemReason();
        return read;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) read.bytes.append(buffer, got);
    if (std::ferror(file.get())) read.error = SystemReason();
    return read;
}

// Returns the reason when the bytes could not be written in full. A new file left incomplete is
// removed, as it would pass for output; a log keeps what it had.
std::string WriteFile(const std::string& path, const std::string& bytes, bool append) {
    errno = 0;
    UniqueFile file{std::fopen(path.c_str(), append ? "ab" : "wb")};
    if (!file) return SystemReason();
    std::string error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) error = SystemReason();
    if (std::fclose(file.release()) != 0 && error.empty()) error = SystemReason();
    if (!error.empty() && !append) std::remove(path.c_str());
    return error;
}

std::string BglText(const std::string& source, const FsDataCheck& check) {
    std::string text = std::string(kStandInMarker) + "\r\nsource: " + source + "\r\n";
    for (const XmlAttribute& attribute : check.exclusionAttributes) {
        text += attribute.name + " = " + attribute.value + "\r\n";
    }
    return text;
}

struct Switches {
    bool fail = false;
    std::string failure;  // what --fail prints as the error
    bool partial = false;
    std::string waitFor;            // the file --wait-for waits for
    std::string helperWaitsFor;     // the file the helper of --leave-helper waits for
    bool helperFloods = false;      // --flooding-helper
    std::string lateLine;           // what the helper of --late-line prints
    std::string endAfter;           // the file --end-after waits for
    std::vector<std::string> rest;  // the arguments after the switches
    std::string wrong;              // a switch that is unknown or lacks its value
};

Switches ReadSwitches(const std::vector<std::string>& args) {
    Switches switches;
    size_t i = 0;
    for (; i < args.size() && args[i].compare(0, 2, "--") == 0; ++i) {
        if (args[i] == "--partial") {
            switches.partial = true;
            continue;
        }
        const bool known = args[i] == "--fail" || args[i] == "--wait-for" || args[i] == "--leave-helper" ||
                           args[i] == "--flooding-helper" || args[i] == "--late-line" || args[i] == "--end-after";
        if (!known || i + 1 == args.size()) {
            switches.wrong = args[i];
            break;
        }
        if (args[i] == "--fail") {
            switches.fail = true;
            switches.failure = args[++i];
        } else if (args[i] == "--wait-for") {
            switches.waitFor = args[++i];
        } else if (args[i] == "--late-line") {
            switches.lateLine = args[++i];
        } else if (args[i] == "--end-after") {
            switches.endAfter = args[++i];
        } else {
            switches.helperFloods = args[i] == "--flooding-helper";
            switches.helperWaitsFor = args[++i];
        }
    }
    switches.rest.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return switches;
}

}  // namespace

void WaitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (std::chrono::steady_clock::now() < deadline) {
        if (UniqueFile{std::fopen(path.c_str(), "rb")}) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

// The work between the two log lines; returns the second line.
std::string Compile(const Switches& switches, StandInRun& run) {
    const std::vector<std::string>& args = switches.rest;
    if (!switches.wrong.empty() || args.size() != 1) {
        run.exitCode = 2;
        run.err =
            "usage: bglcomp [--fail TEXT] [--partial] [--wait-for FILE] [--leave-helper FILE] "
            "[--flooding-helper FILE] [--end-after FILE] [--late-line TEXT] <source.xml>\n"
            "Checks the BGLComp XML file and writes a stand-in .bgl beside it (not a real BGL file).\n";
        if (!switches.wrong.empty()) return "error: wrong switch " + switches.wrong;
        return "error: expected one argument, got " + std::to_string(args.size());
    }
    const std::string& source = args[0];
    run.lateLine = switches.lateLine;
    run.endAfter = switches.endAfter;
    if (!switches.waitFor.empty()) WaitForFile(switches.waitFor);
    if (switches.fail) {
        run.exitCode = 1;
        run.out = "Compiling " + source + "\n";
        run.err = switches.failure + "\n";
        return "error: " + switches.failure;
    }
    std::string error;
    const FileRead read = ReadFile(source);
    FsDataCheck check;
    if (!read.error.empty()) {
        error = "cannot read " + source + ": " + read.error;
    } else {
        check = CheckFsData(read.bytes);
        if (!check.ok) error = source + ": " + check.error;
    }
    const std::string bgl = BglPathFor(source);
    if (error.empty()) {
        const std::string text = BglText(source, check);
        // A compiler that broke down stops after its first line.
        const std::string reason = WriteFile(bgl, switches.partial ? text.substr(0, text.find('\n') + 1) : text, false);
        if (!reason.empty()) error = "cannot write " + bgl + ": " + reason;
        if (switches.partial) error = "broke down while writing " + bgl;
    }
    if (!error.empty()) {
        run.exitCode = 1;
        run.err = error + "\n";
        return "error: " + error;
    }
    run.out = "Compiled " + source + " into " + bgl + " (stand-in output, not a real BGL file)\n";
    run.helperWaitsFor = switches.helperWaitsFor;
    run.helperFloods = switches.helperFloods;
    return "ok: " + bgl;
}

}  // namespace

StandInRun RunStandIn(const std::vector<std::string>& arguments, const std::string& logPath) {
    const Switches switches = ReadSwitches(arguments);
    const std::vector<std::string>& args = switches.rest;
    std::string called;
    if (args.size() == 1) {
        called = "called with: " + args[0];
    } else {
        called = "called with " + std::to_string(args.size()) + " arguments:";
        for (const std::string& arg : args) called += " [" + arg + "]";
    }
    // Logged before the work, so that a run that goes wrong is still on record.
    std::string logError = WriteFile(logPath, called + "\r\n", true);
    StandInRun run;
    const std::string outcome = Compile(switches, run);
    const std::string outcomeError = WriteFile(logPath, outcome + "\r\n", true);
    if (logError.empty()) logError = outcomeError;
    if (!logError.empty()) run.err += "warning: cannot append to the log " + logPath + ": " + logError + "\n";
    return run;
}

std::string BglPathFor(const std::string& sourcePath) {
    const size_t nameStart = sourcePath.find_last_of("\\/:") + 1;  // npos + 1 is 0: no folder part.
    const size_t dot = sourcePath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return sourcePath + ".bgl";
    return sourcePath.substr(0, dot) + ".bgl";
}
