#pragma once

#include <string>
#include <vector>

// One run of the stand-in compiler, without the Win32 part (finding its own folder), so that
// it builds and is tested natively. Paths are bytes as received; nothing is converted.

struct StandInRun {
    int exitCode = 0;  // 0 compiled, 1 failed, 2 wrong arguments.
    std::string out;   // For standard output.
    std::string err;   // For standard error.
};

extern const char* const kStandInMarker;

// Checks the XML file named by the single argument and writes the .bgl beside it. Appends
// "called with: <argument>" to the log before the work and "ok: ..." or "error: ..." after.
StandInRun RunStandIn(const std::vector<std::string>& args, const std::string& logPath);

// The source path with its extension replaced by .bgl, or .bgl appended when it has none.
std::string BglPathFor(const std::string& sourcePath);
