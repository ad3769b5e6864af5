#pragma once

#include <string>

// The program's executable file; "" when the system does not tell it.
std::string ProgramFile();

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
