#include "storage/ini_document.h"

#include <cctype>

#include "storage/ansi_text.h"

namespace {

// Ctrl+Z ended old DOS text files, and counts as a blank.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string Trimmed(const std::string& text) {
    size_t start = 0, end = text.size();
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

IniEntry EntryOf(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return {line, std::nullopt};
    return {Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

}  // namespace

bool SameSectionName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

IniDocument ReadIniText(const std::string& text) {
    IniDocument document(1);
    for (size_t start = 0; start < text.size();) {
        // A line ends at a line feed; in a text without any more of them, at a carriage return.
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.find('\r', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const size_t close = FindLastCharacter(line, "]");
            if (close != std::string::npos) {
                document.push_back({Trimmed(line.substr(1, close - 1)), {}});
                continue;
            }
        }
        document.back().entries.push_back(EntryOf(line));
    }
    return document;
}

std::string IniText(const IniDocument& document) {
    std::string text;
    for (const IniSection& section : document) {
        if (!section.name.empty()) text += "[" + section.name + "]\r\n";
        for (const IniEntry& entry : section.entries) {
            text += entry.key;
            if (entry.value) text += "=" + *entry.value;
            text += "\r\n";
        }
    }
    return text;
}

std::optional<std::vector<std::string>> SectionEntries(const IniDocument& document, const std::string& name) {
    for (const IniSection& section : document) {
        if (section.name.empty() || !SameSectionName(section.name, name)) continue;
        std::vector<std::string> entries;
        for (const IniEntry& entry : section.entries) {
            if (!entry.key.empty() && entry.key[0] == ';') continue;
            entries.push_back(entry.value ? entry.key + "=" + *entry.value : entry.key);
        }
        return entries;
    }
    return std::nullopt;
}

void WriteSection(IniDocument& document, const std::string& name, const std::vector<std::string>& entries) {
    IniSection* first = nullptr;
    for (IniSection& section : document) {
        if (section.name.empty() || !SameSectionName(section.name, name)) continue;
        section.entries.clear();
        if (!first) first = &section;
    }
    if (!first) {
        document.push_back({name, {}});
        first = &document.back();
    }
    for (const std::string& entry : entries) {
        if (entry.find('=') != std::string::npos) first->entries.push_back(EntryOf(entry));
    }
}

void RemoveSection(IniDocument& document, const std::string& name) {
    for (size_t i = document.size(); i-- > 1;) {
        if (SameSectionName(document[i].name, name)) document.erase(document.begin() + static_cast<std::ptrdiff_t>(i));
    }
}
