#pragma once

#include <functional>
#include <memory>
#include <string>

#include "generator/shell.h"
#include "model/result.h"

// A compile that SaveSourceAndCompile started: what it is to make, and the shell that runs it.
struct Compile {
    std::string xmlPath;
    std::string bglPath;
    bool deleteSource = false;
    Result<long long> bglWrittenBefore;  // the .bgl's last write before the start; an error if it was not there
    std::shared_ptr<const ShellRun> shell;
};

// Saves the source view's text as the XML file, writes Zonewright.bat in the program's folder
// with the compile line and starts it through the shell. The steps run in this order, and a
// failure ends them: the XML file is complete before the batch file is touched, and the batch
// file is emptied before the compiler location is read. No compiler location, or one the batch
// file cannot hold, starts nothing. `whenEnded` is called on another thread once the compiler
// has ended. A failure comes with its report for the user: what failed, which file and the
// system's reason, and what was left done.
Result<std::unique_ptr<Compile>> SaveSourceAndCompile(const std::string& xmlPath, const std::string& source,
                                                      bool deleteSource, std::function<void()> whenEnded,
                                                      const Shell& shell);

// After the shell has ended: the compile succeeded when the .bgl is there, written since the
// start. Then the XML source is deleted if that was asked for. A failure is reported with the
// expected .bgl, what the compiler printed, and that the source was kept; or, after a good
// compile, with the source that could not be deleted.
Result<Done> FinishCompile(const Compile& compile);
