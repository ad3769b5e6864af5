#include "generator/compile_batch.h"

namespace {

std::string QuotedForBatch(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + "\"";
}

}  // namespace

std::string CompileBatchText(const std::string& compilerLocation, const std::string& xmlPath, bool deleteSource) {
    std::string text = QuotedForBatch(compilerLocation) + " " + QuotedForBatch(xmlPath) + "\r\n";
    if (deleteSource) text += "DEL " + QuotedForBatch(xmlPath) + "\r\n";
    return text;
}
