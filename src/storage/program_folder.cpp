#include "storage/program_folder.h"

const char* const kSettingsSection = "DEFAULT";
const char* const kCompilerKey = "BGLCOMP";
const char* const kBatchFileName = "Zonewright.bat";

std::string SettingsFilePath() { return ProgramFolder() + "\\ZonewrightV2.ini"; }

std::string BatchFilePath() {
    return ProgramFolder() + "\\" + kBatchFileName;
}
