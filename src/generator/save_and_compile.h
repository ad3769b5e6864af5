#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "generator/batch_shell_win32.h"

// A compile that SaveSourceAndCompile started: what it is to make, and the shell that runs it.
struct Compile {
    std::string xmlPath;
    std::string bglPath;
    bool deleteSource = false;
    std::optional<long long> bglWrittenBefore;  // the .bgl's last write before the start, if it was there
    std::shared_ptr<const ShellRun> shell;
};

struct SaveResult {
    std::string failure;               // for the user; "" when the compiler was started
    std::unique_ptr<Compile> compile;  // the started compile; null when nothing was started
};

// Starts the batch file; tests put a recorder in its place.
using BatchStarter =
    std::function<ShellStart(const std::string& folder, const std::string& batchName, std::function<void()> whenEnded)>;

// Saves the source view's text as the XML file, writes Zonewright.bat in the program's folder
// with the compile line and starts it. The steps run in this order, and a failure ends them:
// the XML file is complete before the batch file is touched, and the batch file is emptied
// before the compiler location is read. No compiler location, or one the batch file cannot
// hold, starts nothing. `whenEnded` is called on another thread once the compiler has ended.
SaveResult SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                                std::function<void()> whenEnded, const BatchStarter& start = StartBatch);

// After the shell has ended: the compile succeeded when the .bgl is there, written since the
// start. Then the XML source is deleted if that was asked for. Returns "" on success, else what
// the user is to be told: the expected .bgl, what the compiler printed, and that the source was
// kept.
std::string FinishCompile(const Compile& compile);
