// The settings file: any bytes must be readable, and a value the writer sets must read back.
// Input: section NUL key NUL value NUL file text (the text may hold NULs).

#include "../tests/lead_bytes.h"
#include "fuzz_input.h"
#include "storage/ini_read.h"
#include "storage/ini_write.h"

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) <= 13; }

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string SwapCase(std::string text) {
    for (char& c : text) {
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') c ^= 0x20;
    }
    return text;
}

// Where the reader's own rules let a written value be found at all: section and key each on one
// line, a key that leaves its line free of '[' (such a line is never a key line), and a value
// without CR (which would end its line) or '[' (never found).
bool ReadBackMeantToHold(const std::string& section, const std::string& key, const std::string& value) {
    for (const std::string* name : {&section, &key}) {
        if (name->empty() || Contains(*name, '\r') || Contains(*name, '\n')) return false;
    }
    return !Contains(key, '[') && !Contains(value, '\r') && !Contains(value, '[');
}

// Texts that run into faults already reported, passed over so that a run looks for new ones:
// the writer takes a lone LF for a line start and a lone CR for none, where the reader does the
// opposite (and a header followed by a lone CR makes the writer insert past the line end); and
// it tidies control characters off the start after placing the key, which can turn the first
// line into a header that the reader then finds first.
bool ReportedFault(const std::string& text) {
#ifdef FUZZ_STRICT
    (void)text;
    return false;
#else
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return true;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return true;
    }
    for (char c : text) {
        if (!IsControl(c)) break;
        if (c != '\r' && c != '\n') return true;
    }
    return false;
#endif
}

// Reported too: a header on the last line, without a line end, is not found by the writer, which
// appends a second section of the name; the next write then puts the key into the first one.
bool EndsWithHeader(const std::string& text, const std::string& section) {
#ifdef FUZZ_STRICT
    (void)text, (void)section;
    return false;
#else
    const std::string lower = LowerCase(text), header = "[" + LowerCase(section) + "]";
    return EndsWith(lower, header) && (lower.size() == header.size() || EndsWith(lower, "\r\n" + header));
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The whole input as the settings file the program reads at every start, and as the same
    // file read and written in a double-byte code page, where a lead byte may end the text.
    const std::string whole(reinterpret_cast<const char*>(data), size);
    FindIniValue(whole, "DEFAULT", "BGLCOMP");
    static const LeadBytes japanese = JapaneseLeadBytes();
    FindIniValue(whole, "DEFAULT", "BGLCOMP", japanese);
    SetIniValue(whole, "DEFAULT", "BGLCOMP", "C:\\\x95\x5C\\bglcomp.exe", japanese);

    const std::vector<std::string> parts = SplitAtNul(data, size, 4);
    if (parts.size() < 4) return 0;
    const std::string &section = parts[0], &key = parts[1], &value = parts[2], &text = parts[3];
    FindIniValue(text, section, key);
    if (!ReadBackMeantToHold(section, key, value) || ReportedFault(text)) return 0;

    const std::string written = SetIniValue(text, section, key, value);
    Require(written.size() >= 3 && EndsWith(written, "\r\n"), "the text ends with CR LF");
    Require(!IsControl(written.front()) && !IsControl(written[written.size() - 3]), "no control character at the ends");
    Require(written.find("\r\n\r\n\r\n") == std::string::npos, "at most one empty line in a row");

    // Control characters at the value's end go only when its line ends the file.
    std::string tidied = value;
    while (!tidied.empty() && IsControl(tidied.back())) tidied.pop_back();
    const std::string read = FindIniValue(written, section, key);
    Require(read == value || (read == tidied && EndsWith(written, key + "=" + tidied + "\r\n")),
            "the written value reads back");
    Require(FindIniValue(written, SwapCase(section), SwapCase(key)) == read, "names match without regard to case");
    Require(EndsWithHeader(text, section) || SetIniValue(written, section, key, value) == written,
            "writing the same value again changes nothing");
    return 0;
}
