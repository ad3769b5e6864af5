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

std::string Lowered(const std::string& name) {
    std::string lowered = name;
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

}  // namespace

bool SameSectionName(const std::string& a, const std::string& b) {
    return Lowered(a) == Lowered(b);
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

// The lines before the first section have no name, and no name finds them.
SectionIndex IndexSections(const IniDocument& document) {
    SectionIndex index;
    for (size_t i = 1; i < document.size(); ++i) index[Lowered(document[i].name)].push_back(i);
    return index;
}

std::optional<std::vector<std::string>> SectionEntries(const IniDocument& document, const SectionIndex& index,
                                                       const std::string& name) {
    const auto found = index.find(Lowered(name));
    if (found == index.end()) return std::nullopt;
    std::vector<std::string> entries;
    for (const IniEntry& entry : document[found->second.front()].entries) {
        if (!entry.key.empty() && entry.key[0] == ';') continue;
        entries.push_back(entry.value ? entry.key + "=" + *entry.value : entry.key);
    }
    return entries;
}

void WriteSection(IniDocument& document, SectionIndex& index, const std::string& name,
                  const std::vector<std::string>& entries) {
    std::vector<size_t>& sections = index[Lowered(name)];
    for (size_t i : sections) document[i].entries.clear();
    if (sections.empty()) {
        sections.push_back(document.size());
        document.push_back({name, {}});
    }
    for (const std::string& entry : entries) {
        if (entry.find('=') != std::string::npos) document[sections.front()].entries.push_back(EntryOf(entry));
    }
}

void RemoveSections(IniDocument& document, SectionIndex& index, const std::function<bool(const std::string&)>& goes) {
    IniDocument kept;
    for (size_t i = 0; i < document.size(); ++i) {
        if (i == 0 || !goes(document[i].name)) kept.push_back(std::move(document[i]));
    }
    document = std::move(kept);
    index = IndexSections(document);
}
