#include "storage/program_folder.h"

#include "storage/ansi_text.h"

const char* const kSettingsSection = "DEFAULT";
const char* const kCompilerKey = "BGLCOMP";
const char* const kBatchFileName = "Zonewright.bat";

std::string ProgramFolder() {
    return FolderOf(ProgramFile());
}

// None for a folder that is not known: an empty name opens no file.
std::string SettingsFilePath() {
    const std::string folder = ProgramFolder();
    return folder.empty() ? "" : InFolder(folder, "ZonewrightV2.ini");
}

std::string BatchFilePath() {
    const std::string folder = ProgramFolder();
    return folder.empty() ? "" : InFolder(folder, kBatchFileName);
}
