#pragma once

#include <functional>
#include <memory>
#include <string>

#include "generator/shell.h"
#include "model/result.h"
#include "storage/file_system.h"

// A compile that SaveSourceAndCompile started: what it is to make, the shell that runs it, and
// the batch file it holds until then.
struct Compile {
    std::string xmlPath;
    std::string bglPath;
    bool deleteSource = false;
    Result<FileStat> bglBefore;  // the .bgl before the start; an error if it was not there
    std::shared_ptr<const ShellRun> shell;
    std::unique_ptr<HeldFile> batch;
};

// Saves the source view's text as the XML file, writes Zonewright.bat in the program's folder
// with the compile line and starts it through the shell. A name under which the XML file would
// destroy a file (its own .bgl, the batch file, the settings file, the program, the compiler as
// the shell finds it from the program's folder) is refused before anything is written; a file
// that is there is known under any of its names. The
// steps run in this order, and a failure ends them: the XML file is complete before the batch
// file is touched, and the batch file is emptied before the compiler location is read. No
// compiler location, or one the batch file cannot hold, starts nothing, and nor does a program
// folder on the network or one the program cannot name. The batch file is held from its writing
// until the compile is finished, and by the shell until it ends, so another copy of the program
// cannot write it meanwhile. `whenEnded` is called on another thread once the compiler has
// ended. A failure comes with its report for the user: what failed, which file and the system's
// reason, and what was left done.
Result<std::unique_ptr<Compile>> SaveSourceAndCompile(const std::string& xmlPath, const std::string& source,
                                                      bool deleteSource, std::function<void()> whenEnded,
                                                      const Shell& shell);

// After the shell has ended: the compile succeeded when the compiler's exit code is 0 and the
// .bgl is there, not empty, and written since the start. Then the XML source is deleted if that
// was asked for. A failure is reported with the exit code, the expected .bgl, what the compiler
// printed, and that the source was kept; or, after a good compile, with the source that could
// not be deleted.
Result<Done> FinishCompile(const Compile& compile);
