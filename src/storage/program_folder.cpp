#include "storage/program_folder.h"

#include "storage/ansi_text.h"

const char* const kSettingsSection = "DEFAULT";
const char* const kCompilerKey = "BGLCOMP";
const char* const kBatchFileName = "Zonewright.bat";

std::string ProgramFolder() {
    const std::string file = ProgramFile();
    const size_t nameStart = FileNameStart(file);
    return nameStart == 0 ? "." : file.substr(0, nameStart - 1);
}

std::string SettingsFilePath() { return ProgramFolder() + "\\ZonewrightV2.ini"; }

std::string BatchFilePath() {
    return ProgramFolder() + "\\" + kBatchFileName;
}
