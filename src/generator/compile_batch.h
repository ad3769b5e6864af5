#pragma once

#include <cstddef>
#include <string>

#include "storage/ansi_text.h"

// The text of the batch file that compiles a saved XML source: the compile line alone. The
// paths must already be in the code page the command shell reads batch files in. Every % is
// doubled, since the shell would expand it.
std::string CompileBatchText(const std::string& compilerLocation, const std::string& xmlPath);

// Where the compiler writes its output: beside the XML file, under the same name with the
// extension .bgl (appended when the name has no extension).
std::string CompiledBglPath(const std::string& xmlPath, const LeadBytes& lead = SystemLeadBytes());

// Whether the path names a folder on another computer (\\server\share), where the command shell
// cannot run a batch file.
bool IsNetworkPath(const std::string& path);

// The last lines of what the compiler printed, at most `count`, joined by CR LF; empty lines at
// either end are dropped. A line ends at LF, and a CR before it goes.
std::string LastLines(const std::string& output, size_t count);

// What a failed compile left at the .bgl's place. Unchanged: the .bgl of before, with the time and
// size it had, which a rewrite of the same size within one step of a coarse clock (FAT32 keeps
// times in 2-second steps) would also leave.
enum class BglLeft { Nothing, Unchanged, Empty, Written };

// What the user is told of a failed compile: the exit code when the compiler reported a failure,
// the .bgl that was expected (or that it may be incomplete, or, after a success, that it kept its
// time and size, to be checked), what the compiler printed (its last lines), and that the XML
// source is still there.
std::string CompileFailedMessage(const std::string& bglPath, const std::string& xmlPath, const std::string& output,
                                 unsigned long exitCode, BglLeft bgl);

extern const char* const kDefineCompilerMessage;
extern const char* const kCompilerStillRunningMessage;
