#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "model/result.h"
#include "storage/file_system.h"

// The command shell, as saving and compiling needs it: paths written so that the shell reads
// them as they are, and a batch file run by it. CommandShell() in batch_shell_win32.h is the
// real one; tests put others in its place.

// A batch file run by the shell. Once `ended` is set, `output` holds what the shell and the
// programs it ran printed to standard output and error (the last 64 KB of it), in the ANSI code
// page, and `exitCode` the shell's exit code: the one its last command, the compiler, left.
struct ShellRun {
    std::atomic<bool> ended{false};
    std::string output;
    unsigned long exitCode = 0;
};

struct Shell {
    // An ANSI path as a batch line must hold it, or Failure::UnreadableByShell.
    std::function<Result<std::string>(const std::string& path)> pathForBatch;
    // Starts the batch file of this bare name in this folder, which `batch` holds; the shell holds
    // it as well until it ends. `whenEnded` is called on another thread once the shell has ended
    // and its output is read (what came within a short while).
    std::function<Result<std::shared_ptr<const ShellRun>>(const std::string& folder, const std::string& batchName,
                                                          const HeldFile& batch, std::function<void()> whenEnded)>
        start;
};
