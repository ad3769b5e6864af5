#pragma once

#include <string>

// The program's executable file; "" when the system does not tell it.
std::string ProgramFile();

// The folder that holds the program's executable file, without a trailing backslash.
std::string ProgramFolder();

// The settings file: the program's folder followed by "\ZonewrightV2.ini".
std::string SettingsFilePath();

// The batch file that runs the compiler: the program's folder followed by "\Zonewright.bat".
std::string BatchFilePath();
extern const char* const kBatchFileName;

extern const char* const kSettingsSection;
extern const char* const kCompilerKey;
