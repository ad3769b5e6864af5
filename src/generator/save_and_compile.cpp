#include "generator/save_and_compile.h"

#include <system_error>

#include "generator/compile_batch.h"
#include "storage/ini_read.h"
#include "storage/program_folder.h"
#include "storage/text_file.h"

namespace {

const char* const kNotCompiled = "\r\nThe XML source was saved, but the compiler was not started.";

SaveResult Failure(const std::string& what, const std::string& path, const std::error_code& error,
                   const std::string& consequence) {
    return {what + " \"" + path + "\".\r\n\r\n" + DescribeError(error) + consequence, nullptr};
}

}  // namespace

SaveResult SaveSourceAndCompile(const std::string& xmlPath, const std::string& source, bool deleteSource,
                                std::function<void()> whenEnded, const BatchStarter& start) {
    if (std::error_code error = WriteWholeFile(xmlPath, source + "\r\n")) {
        return Failure("The XML source could not be saved to", xmlPath, error, "");
    }
    const std::string batchPath = BatchFilePath();
    if (std::error_code error = WriteWholeFile(batchPath, "")) {
        return Failure("The batch file could not be written:", batchPath, error, kNotCompiled);
    }
    const std::string settingsPath = SettingsFilePath();
    const IniValue compiler = ReadIniValue(settingsPath, kSettingsSection, kCompilerKey);
    if (compiler.error) {
        return Failure("The compiler location could not be read from", settingsPath, compiler.error, kNotCompiled);
    }
    if (compiler.value.empty()) return {kDefineCompilerMessage, nullptr};
    const std::optional<std::string> compilerForBatch = PathForBatch(compiler.value, ShellCodePage());
    if (!compilerForBatch) {
        return {"The compiler location \"" + compiler.value +
                    "\" cannot be written into the batch file: the command shell cannot read some of its "
                    "characters." +
                    kNotCompiled,
                nullptr};
    }
    const std::optional<std::string> xmlForBatch = PathForBatch(xmlPath, ShellCodePage());
    if (!xmlForBatch) {
        return {"The XML source was saved to \"" + xmlPath +
                    "\", but it cannot be compiled under that name: the command shell cannot read some of its "
                    "characters.\r\nSave it under a name without them.",
                nullptr};
    }
    if (std::error_code error = WriteWholeFile(batchPath, CompileBatchText(*compilerForBatch, *xmlForBatch))) {
        return Failure("The batch file could not be written:", batchPath, error, kNotCompiled);
    }
    auto compile = std::make_unique<Compile>();
    compile->xmlPath = xmlPath;
    compile->bglPath = CompiledBglPath(xmlPath);
    compile->deleteSource = deleteSource;
    compile->bglWrittenBefore = LastWriteTime(compile->bglPath);
    const ShellStart started = start(ProgramFolder(), kBatchFileName, std::move(whenEnded));
    if (started.error) {
        return Failure("The batch file could not be started:", batchPath, started.error,
                       "\r\nThe XML source and the batch file were saved.");
    }
    compile->shell = started.run;
    return {"", std::move(compile)};
}

std::string FinishCompile(const Compile& compile) {
    const std::optional<long long> written = LastWriteTime(compile.bglPath);
    if (!written || written == compile.bglWrittenBefore) {
        return CompileFailedMessage(compile.bglPath, compile.xmlPath, compile.shell ? compile.shell->output : "");
    }
    if (!compile.deleteSource) return "";
    if (std::error_code error = RemoveFile(compile.xmlPath)) {
        return "The .bgl file \"" + compile.bglPath + "\" was made, but the XML source \"" + compile.xmlPath +
               "\" could not be deleted.\r\n\r\n" + DescribeError(error);
    }
    return "";
}
