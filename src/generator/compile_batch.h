#pragma once

#include <string>

// The text of the batch file that compiles a saved XML source: the compile line, and a DEL line
// after it when the source is to be deleted. The paths must already be in the code page the
// command shell reads batch files in. Every % is doubled, since the shell would expand it.
std::string CompileBatchText(const std::string& compilerLocation, const std::string& xmlPath, bool deleteSource);
