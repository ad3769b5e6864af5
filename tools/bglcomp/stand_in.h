#pragma once

#include <string>
#include <vector>

// One run of the stand-in compiler, without the Win32 part (finding its own folder), so that
// it builds and is tested natively. Paths are bytes as received; nothing is converted.

struct StandInRun {
    int exitCode = 0;            // 0 compiled, 1 failed, 2 wrong arguments.
    std::string out;             // For standard output.
    std::string err;             // For standard error.
    std::string helperWaitsFor;  // When not empty: leave a helper holding the output until this file exists.
    bool helperFloods = false;   // That helper prints without a pause meanwhile.
    std::string lateLine;        // When not empty: leave a helper that prints it once the shell has ended.
    std::string endAfter;        // When not empty: once the output is out, end only when this file exists.
};

extern const char* const kStandInMarker;

// Checks the XML file named by the single argument and writes the .bgl beside it. Appends
// "called with: <argument>" to the log before the work and "ok: ..." or "error: ..." after.
// Switches before the argument make it behave as a compiler that has trouble:
//   --fail TEXT      prints that it compiles the file, then TEXT as its error, and fails
//                    without writing a .bgl (exit code 1);
//   --wait-for FILE  takes a while: waits until FILE exists (at most two minutes) before the work;
//   --partial        writes the first line of the .bgl, prints an error and fails (exit code 1);
//   --leave-helper FILE  compiles, but leaves a helper program behind that holds its output
//                    open until FILE exists (at most two minutes);
//   --flooding-helper FILE  the same, with a helper that meanwhile prints as fast as the output
//                    takes it, from several threads, until the output is closed;
//   --end-after FILE whatever the outcome, prints its output and then ends only once FILE exists
//                    (at most two minutes later);
//   --late-line TEXT whatever the outcome, leaves a helper behind that prints TEXT on the output
//                    a moment after the shell that ran the compiler has ended.
StandInRun RunStandIn(const std::vector<std::string>& args, const std::string& logPath);

// Waits until the file exists, at most two minutes.
void WaitForFile(const std::string& path);

// The source path with its extension replaced by .bgl, or .bgl appended when it has none.
std::string BglPathFor(const std::string& sourcePath);
