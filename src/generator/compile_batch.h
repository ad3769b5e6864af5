#pragma once

#include <cstddef>
#include <string>

// The text of the batch file that compiles a saved XML source: the compile line alone. The
// paths must already be in the code page the command shell reads batch files in. Every % is
// doubled, since the shell would expand it.
std::string CompileBatchText(const std::string& compilerLocation, const std::string& xmlPath);

// Where the compiler writes its output: beside the XML file, under the same name with the
// extension .bgl (appended when the name has no extension).
std::string CompiledBglPath(const std::string& xmlPath);

// The last lines of what the compiler printed, at most `count`, joined by CR LF; empty lines at
// either end are dropped. A line ends at LF, and a CR before it goes.
std::string LastLines(const std::string& output, size_t count);

// What the user is told of a compile that made no .bgl: the .bgl that was expected, what the
// compiler printed (its last lines), and that the XML source is still there.
std::string CompileFailedMessage(const std::string& bglPath, const std::string& xmlPath, const std::string& output);

extern const char* const kDefineCompilerMessage;
extern const char* const kCompilerStillRunningMessage;
