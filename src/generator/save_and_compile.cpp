#include "generator/save_and_compile.h"

#include "generator/compile_batch.h"
#include "storage/ini_read.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"

namespace {

const char* const kNotCompiled = "\r\nThe XML source was saved, but the compiler was not started.";

template <class T>
Result<T> Failed(std::error_code error, std::string report) {
    Result<T> result;
    result.error = error;
    result.report = std::move(report);
    return result;
}

using Started = Result<std::unique_ptr<Compile>>;

Started FileFailure(const std::string& what, const std::string& path, const std::error_code& error,
                    const std::string& consequence) {
    return Failed<std::unique_ptr<Compile>>(error,
                                            what + " \"" + path + "\".\r\n\r\n" + DescribeError(error) + consequence);
}

}  // namespace

Started SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                             std::function<void()> whenEnded, const Shell& shell) {
    if (std::error_code error = WriteWholeFile(xmlPath, source + "\r\n")) {
        return FileFailure("The XML source could not be saved to", xmlPath, error, "");
    }
    const std::string batchPath = BatchFilePath();
    if (std::error_code error = WriteWholeFile(batchPath, "")) {
        return FileFailure("The batch file could not be written:", batchPath, error, kNotCompiled);
    }
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
    if (std::error_code error =
            WriteWholeFile(batchPath, CompileBatchText(compilerForBatch.value, xmlForBatch.value))) {
        return FileFailure("The batch file could not be written:", batchPath, error, kNotCompiled);
    }
    auto compile = std::make_unique<Compile>();
    compile->xmlPath = xmlPath;
    compile->bglPath = CompiledBglPath(xmlPath);
    compile->deleteSource = deleteSource;
    compile->bglWrittenBefore = LastWriteTime(compile->bglPath);
    const Result<std::shared_ptr<const ShellRun>> started =
        shell.start(ProgramFolder(), kBatchFileName, std::move(whenEnded));
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
    const Result<long long> written = LastWriteTime(compile.bglPath);
    const bool writtenNow =
        !written.error && (compile.bglWrittenBefore.error || written.value != compile.bglWrittenBefore.value);
    if (!writtenNow) {
        return Failed<Done>(Failure::NoBglMade, CompileFailedMessage(compile.bglPath, compile.xmlPath,
                                                                     compile.shell ? compile.shell->output : ""));
    }
    if (!compile.deleteSource) return {};
    if (std::error_code error = RemoveFile(compile.xmlPath)) {
        return Failed<Done>(error, "The .bgl file \"" + compile.bglPath + "\" was made, but the XML source \"" +
                                       compile.xmlPath + "\" could not be deleted.\r\n\r\n" + DescribeError(error));
    }
    return {};
}
