#pragma once

#include <functional>
#include <memory>
#include <string>

#include "generator/shell.h"
#include "model/result.h"

// The Windows command shell, cmd.exe, as saving and compiling uses it.
Shell CommandShell();

// The text in another code page, character for character; an error when a character has no form
// there (Failure::UnreadableByShell), or the text is no valid text of its own code page.
Result<std::string> ConvertExactly(const std::string& text, unsigned fromCodePage, unsigned toCodePage);
// The same, where a character without a form becomes the code page's default character.
std::string ConvertLossy(const std::string& text, unsigned fromCodePage, unsigned toCodePage);

// An ANSI path as a batch line must hold it: in the code page the shell reads batch files in.
// A folder whose name has a character that code page lacks is named by its short form. The file
// name is never shortened, since the compiler names its output after it. Failure::UnreadableByShell
// when the file name has such a character, when a folder has no short form the shell can read,
// or when the path holds a quote or a line break, which would end the quoted path or the line.
Result<std::string> PathForBatch(const std::string& path, unsigned shellCodePage);

// Starts the batch file of this bare name in this folder: the shell runs in that folder,
// minimized, with AutoRun commands, echo and delayed expansion off, so that nothing in the
// folder's path or in the batch lines is expanded but what the batch file itself says. It
// inherits its input, output and error and no other handle. Nobody waits for it: a thread of
// its own reads its output (converting it from the console's OEM code page) and, once the shell
// has ended and its output is read, or at most two seconds later, sets `exitCode` and `ended` and
// calls `whenEnded` (on that thread). Closing the program neither waits for the shell nor ends it.
// The shell is given a handle of its own to the held batch file, which nothing inherits: the file
// stays held until the shell ends, whenever the program ends.
Result<std::shared_ptr<const ShellRun>> StartBatch(const std::string& folder, const std::string& batchName,
                                                   const HeldFile& batch, std::function<void()> whenEnded);
