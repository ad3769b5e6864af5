#pragma once

#include <string>

// The program's executable file, by a path the ANSI code page can write (its short form where
// the full one cannot be written so); "" when the system does not tell it, or when it has no such
// path.
std::string ProgramFile();

// Why the program cannot name its own folder, for the user at start-up: a folder whose name the
// ANSI code page cannot write, on a volume that keeps no short names. "" when it can.
std::string ProgramFolderFault();

// The folder that holds the program's executable file, without a trailing backslash but at a
// root (Y:\, \\server\share\); "" when the program's file is not known.
std::string ProgramFolder();

// The settings file: "ZonewrightV2.ini" in the program's folder; "" when that is not known.
std::string SettingsFilePath();

// The batch file that runs the compiler: "Zonewright.bat" in the program's folder; "" when that
// is not known.
std::string BatchFilePath();
extern const char* const kBatchFileName;

extern const char* const kSettingsSection;
extern const char* const kCompilerKey;
