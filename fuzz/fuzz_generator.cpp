// The XML source, the batch file and the compiler's output as shown: coordinate texts, check
// states and paths, any bytes. Input: 8 bytes of object-type states (each taken modulo 3), a
// byte giving how many lines of output to show (modulo 25), then latitude maximum, longitude
// minimum, latitude minimum, longitude maximum, compiler location and XML path, each ended by a
// NUL (the last by the input's end). The XML path also serves as the compiler's output.

#include <algorithm>
#include <cstring>

#include "fuzz_input.h"
#include "generator/compile_batch.h"
#include "generator/exclusion_source.h"

namespace {

// The attribute value back from its escaped form; false at a raw '<', '>' or '"', or at an '&'
// that starts none of the four entities the escaping writes.
bool Unescape(const std::string& escaped, std::string& text) {
    static const char* const entities[][2] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
    text.clear();
    for (size_t i = 0; i < escaped.size();) {
        const char c = escaped[i];
        if (c == '<' || c == '>' || c == '"') return false;
        if (c != '&') {
            text += c;
            ++i;
            continue;
        }
        bool known = false;
        for (const auto& entity : entities) {
            if (escaped.compare(i, std::strlen(entity[0]), entity[0]) == 0) {
                text += entity[1];
                i += std::strlen(entity[0]);
                known = true;
                break;
            }
        }
        if (!known) return false;
    }
    return true;
}

void CheckSource(const ExclusionArea& area) {
    ExclusionDocument document;
    document.areas = {area};
    const GeneratedSource source = GenerateExclusionSource(document);
    Require(source.messages.empty() != source.lines.empty(), "either messages or lines");
    const std::string* const texts[] = {&area.latitudeMinimum, &area.latitudeMaximum, &area.longitudeMinimum,
                                        &area.longitudeMaximum};
    const bool missing = std::any_of(std::begin(texts), std::end(texts), [](const std::string* t) { return t->empty(); });
    const bool noType = std::all_of(area.objectTypes.begin(), area.objectTypes.end(),
                                    [](CheckState s) { return s == CheckState::Clear; });
    std::vector<std::string> messages;
    if (missing) messages.push_back(kMissingCoordinatesMessage);
    if (noType) messages.push_back(kMissingObjectTypesMessage);
    Require(source.messages == messages, "the messages");
    if (!messages.empty()) return;

    const char* const names[] = {"latitudeMinimum", "latitudeMaximum", "longitudeMinimum", "longitudeMaximum"};
    Require(source.lines.size() >= 12, "the document's fixed lines");
    for (size_t i = 0; i < 4; ++i) {
        const std::string& line = source.lines[6 + i];
        const std::string start = std::string(8, ' ') + names[i] + " = \"";
        Require(line.compare(0, start.size(), start) == 0 && line.back() == '"', "the coordinate line's attribute");
        Require(std::count(line.begin(), line.end(), '"') == 2, "two quotes on a coordinate line");
        std::string text;
        Require(Unescape(line.substr(start.size(), line.size() - start.size() - 1), text) && text == *texts[i],
                "the attribute value unescapes to the coordinate text");
    }
    size_t typeLines = 1;  // the line that closes the rectangle
    if (area.objectTypes[All] != CheckState::Ticked) {
        typeLines += std::count(area.objectTypes.begin() + 1, area.objectTypes.end(), CheckState::Ticked);
    }
    Require(source.lines.size() == 11 + typeLines, "one line per ticked object type");
    Require(source.lines.back() == "</FSData>", "the document ends its root");
    const bool breaks = std::any_of(std::begin(texts), std::end(texts),
                                    [](const std::string* t) { return t->find_first_of("\r\n") != std::string::npos; });
    for (const std::string& line : source.lines) {
        Require(breaks || line.find_first_of("\r\n") == std::string::npos, "lines hold no line break of their own");
    }
}

void CheckBatch(const std::string& compiler, const std::string& xml) {
    const std::string text = CompileBatchText(compiler, xml);
    // A real path holds no CR or LF; what one does here is in the report, not a property.
    if (compiler.find_first_of("\r\n") != std::string::npos ||
        xml.find_first_of("\r\n") != std::string::npos) {
        return;
    }
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        Require(end != std::string::npos, "every line ends in CR LF");
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    Require(lines.size() == 1, "the compile line alone");
    for (const std::string& line : lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "no CR or LF inside a line");
        Require(std::count(line.begin(), line.end(), '%') % 2 == 0, "percent signs come in pairs");
    }
    // Undoubling the percent signs gives back the quoted paths.
    auto undouble = [](const std::string& line) {
        std::string plain;
        for (size_t i = 0; i < line.size(); ++i) {
            plain += line[i];
            if (line[i] == '%') ++i;
        }
        return plain;
    };
    Require(undouble(lines[0]) == "\"" + compiler + "\" \"" + xml + "\"", "the compile line quotes both paths");
}

void CheckShownOutput(const std::string& output, size_t count) {
    const std::string shown = LastLines(output, count);
    size_t lines = shown.empty() ? 0 : 1;
    for (size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at + 1)) {
        Require(at > 0 && shown[at - 1] == '\r', "shown lines end in CR LF");
        ++lines;
    }
    Require(lines <= count, "no more lines than asked for");
    Require(shown.empty() || (shown.front() != '\n' && shown.back() != '\n'), "no empty line at either end");
    std::string plain = output;
    plain.erase(std::remove(plain.begin(), plain.end(), '\r'), plain.end());
    std::string shownPlain = shown;
    shownPlain.erase(std::remove(shownPlain.begin(), shownPlain.end(), '\r'), shownPlain.end());
    Require(plain.find(shownPlain) != std::string::npos, "the shown lines stand in the output as they are");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t head[9] = {};
    std::memcpy(head, data, std::min<size_t>(size, 9));
    ExclusionArea area;
    for (int i = 0; i < ObjectTypeCount; ++i) area.objectTypes[i] = static_cast<CheckState>(head[i] % 3);
    std::vector<std::string> texts = SplitAtNul(data + std::min<size_t>(size, 9), size - std::min<size_t>(size, 9), 6);
    texts.resize(6);
    area.latitudeMaximum = texts[0];
    area.longitudeMinimum = texts[1];
    area.latitudeMinimum = texts[2];
    area.longitudeMaximum = texts[3];

    for (const std::string& text : texts) {
        std::string back;
        Require(Unescape(EscapeXmlAttribute(text), back) && back == text, "escaping is undone by unescaping");
    }
    CheckSource(area);
    CheckBatch(texts[4], texts[5]);
    CheckShownOutput(texts[5], head[8] % 25);
    return 0;
}
