#include "generator/save_and_compile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "generator/compile_batch.h"
#include "storage/ansi_text.h"
#include "storage/ini_read.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"

namespace {

const char* const kNotCompiled = "\r\nThe XML source was saved, but the compiler was not started.";

using Started = Result<std::unique_ptr<Compile>>;

Started FileFailure(const std::string& what, const std::string& path, const std::error_code& error,
                    const std::string& consequence) {
    return Failed<std::unique_ptr<Compile>>(error,
                                            what + " \"" + path + "\".\r\n\r\n" + DescribeError(error) + consequence);
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The files the shell may run for the compiler location, found as the shell finds them from the
// program's folder, where it starts: a location that is not a full path is taken from there (one
// from the current folder of the folder's own drive too), and a name without an extension stands
// for that name with each extension the shell tries (PATHEXT). Quotes, which no file name holds,
// are left out as the shell leaves them out.
std::vector<std::string> CompilerFiles(const std::string& location) {
    const std::string folder = ProgramFolder();
    std::string path = location;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    const bool onADrive = path.size() > 1 && (path[1] == ':' || (IsSeparator(path[0]) && IsSeparator(path[1])));
    if (!onADrive && !path.empty() && IsSeparator(path[0])) {
        // From the root of the folder's drive.
        if (folder.size() > 1 && folder[1] == ':') path = folder.substr(0, 2) + path;
    } else if (!onADrive) {
        path = InFolder(folder, path);
    } else if (path[1] == ':' && (path.size() == 2 || !IsSeparator(path[2])) && folder.size() > 1 && folder[1] == ':' &&
               std::toupper(static_cast<unsigned char>(path[0])) ==
                   std::toupper(static_cast<unsigned char>(folder[0]))) {
        // From the current folder of the folder's own drive, which is the folder itself.
        path = InFolder(folder, path.substr(2));
    }
    std::vector<std::string> files = {path};
    if (FindCharacter(path, ".", FileNameStart(path)) != std::string::npos) return files;
    const char* variable = std::getenv("PATHEXT");
    const std::string extensions = variable && *variable ? variable : ".COM;.EXE;.BAT;.CMD";
    for (size_t start = 0; start < extensions.size();) {
        size_t end = extensions.find(';', start);
        if (end == std::string::npos) end = extensions.size();
        if (end > start) files.push_back(path + extensions.substr(start, end - start));
        start = end + 1;
    }
    return files;
}

// Why saving the source under this name would destroy a file, or "" when it would not.
std::string WhatTheNameWouldDestroy(const std::string& xmlPath) {
    if (SameFile(xmlPath, CompiledBglPath(xmlPath))) {
        return "the compiler names its .bgl file after the source, so it would write it over the source itself. "
               "Give the source a name ending in .xml.";
    }
    if (SameFile(xmlPath, BatchFilePath())) return "that is the batch file that runs the compiler.";
    if (SameFile(xmlPath, SettingsFilePath())) return "that is the settings file of Zonewright.";
    if (SameFile(xmlPath, ProgramFile())) return "that is Zonewright itself.";
    // Read for this check alone and writing nothing: the settings are read again in their turn.
    const std::string compiler = PeekIniValue(SettingsFilePath(), kSettingsSection, kCompilerKey);
    if (compiler.empty()) return "";
    for (const std::string& file : CompilerFiles(compiler)) {
        if (SameFile(xmlPath, file)) return "that is the compiler that Zonewright runs.";
    }
    return "";
}

}  // namespace

Started SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                             std::function<void()> whenEnded, const Shell& shell) {
    if (const std::string destroyed = WhatTheNameWouldDestroy(xmlPath); !destroyed.empty()) {
        return Failed<std::unique_ptr<Compile>>(
            Failure::NameWouldDestroy,
            "The XML source cannot be saved as \"" + xmlPath + "\": " + destroyed + "\r\n\r\nNothing was saved.");
    }
    if (std::error_code error = WriteWholeFile(xmlPath, source + "\r\n")) {
        return FileFailure("The XML source could not be saved to", xmlPath, error, "");
    }
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        return Failed<std::unique_ptr<Compile>>(
            Failure::UnnamedFolder, "The XML source was saved to \"" + xmlPath +
                                        "\", but it cannot be compiled from here.\r\n\r\n" + ProgramFolderFault());
    }
    if (IsNetworkPath(folder)) {
        return Failed<std::unique_ptr<Compile>>(
            Failure::NetworkFolder, "The XML source was saved to \"" + xmlPath +
                                        "\", but it cannot be compiled from here: Zonewright runs from the network "
                                        "folder \"" +
                                        folder +
                                        "\", and the command shell cannot run its batch file there.\r\n\r\nTo "
                                        "compile, copy Zonewright to a folder on this computer and start it there.");
    }
    const std::string batchPath = BatchFilePath();
    Result<std::unique_ptr<HeldFile>> batch = HoldFile(batchPath);
    if (batch.error == Failure::FileInUse) {
        return Failed<std::unique_ptr<Compile>>(
            batch.error, "The batch file could not be written: \"" + batchPath +
                             "\".\r\n\r\nIt is in use: another copy of Zonewright is most likely compiling with it. "
                             "Save again once that compile has finished." +
                             kNotCompiled);
    }
    if (!batch.error) batch.error = batch.value->Replace("");
    if (batch.error) return FileFailure("The batch file could not be written:", batchPath, batch.error, kNotCompiled);
    const std::string settingsPath = SettingsFilePath();
    const Result<std::string> compiler = ReadIniValue(settingsPath, kSettingsSection, kCompilerKey);
    if (compiler.error) {
        return FileFailure("The compiler location could not be read from", settingsPath, compiler.error, kNotCompiled);
    }
    if (compiler.value.empty()) {
        return Failed<std::unique_ptr<Compile>>(Failure::NoCompilerLocation, kDefineCompilerMessage);
    }
    const Result<std::string> compilerForBatch = shell.pathForBatch(compiler.value);
    if (compilerForBatch.error) {
        return Failed<std::unique_ptr<Compile>>(
            compilerForBatch.error, "The compiler location \"" + compiler.value +
                                        "\" cannot be written into the batch file: the command shell cannot read "
                                        "some of its characters." +
                                        kNotCompiled);
    }
    const Result<std::string> xmlForBatch = shell.pathForBatch(xmlPath);
    if (xmlForBatch.error) {
        return Failed<std::unique_ptr<Compile>>(
            xmlForBatch.error, "The XML source was saved to \"" + xmlPath +
                                   "\", but it cannot be compiled under that name: the command shell cannot read "
                                   "some of its characters.\r\nSave it under a name without them.");
    }
    if (std::error_code error = batch.value->Replace(CompileBatchText(compilerForBatch.value, xmlForBatch.value))) {
        return FileFailure("The batch file could not be written:", batchPath, error, kNotCompiled);
    }
    auto compile = std::make_unique<Compile>();
    compile->xmlPath = xmlPath;
    compile->bglPath = CompiledBglPath(xmlPath);
    compile->deleteSource = deleteSource;
    compile->bglBefore = StatFile(compile->bglPath);
    compile->batch = std::move(batch.value);
    const Result<std::shared_ptr<const ShellRun>> started =
        shell.start(folder, kBatchFileName, *compile->batch, std::move(whenEnded));
    if (started.error) {
        return FileFailure("The batch file could not be started:", batchPath, started.error,
                           "\r\nThe XML source and the batch file were saved.");
    }
    compile->shell = started.value;
    Started result;
    result.value = std::move(compile);
    return result;
}

Result<Done> FinishCompile(const Compile& compile) {
    const ShellRun& shell = *compile.shell;
    const Result<FileStat> bgl = StatFile(compile.bglPath);
    const bool written = !bgl.error && (compile.bglBefore.error || bgl.value != compile.bglBefore.value);
    if (shell.exitCode != 0 || !written || bgl.value.size == 0) {
        const BglLeft left = written     ? (bgl.value.size == 0 ? BglLeft::Empty : BglLeft::Written)
                             : bgl.error ? BglLeft::Nothing
                                         : BglLeft::Unchanged;
        return Failed<Done>(Failure::CompileFailed,
                            CompileFailedMessage(compile.bglPath, compile.xmlPath, shell.output, shell.exitCode, left));
    }
    if (!compile.deleteSource) return {};
    if (std::error_code error = RemoveFile(compile.xmlPath)) {
        return Failed<Done>(error, "The .bgl file \"" + compile.bglPath + "\" was made, but the XML source \"" +
                                       compile.xmlPath + "\" could not be deleted.\r\n\r\n" + DescribeError(error));
    }
    return {};
}
