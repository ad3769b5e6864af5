#include "storage/program_folder.h"

const char* const kSettingsSection = "DEFAULT";
const char* const kCompilerKey = "BGLCOMP";

std::string SettingsFilePath() { return ProgramFolder() + "\\ZonewrightV2.ini"; }

std::string BatchFilePath() { return ProgramFolder() + "\\Zonewright.bat"; }
