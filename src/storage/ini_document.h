#pragma once

#include <optional>
#include <string>
#include <vector>

// An INI file's text read and written whole, the way the platform's profile functions read and
// write it, so that a file edited here reads as they would have left it: lines trimmed of blanks,
// blank lines dropped, section and key names matched without regard to case. Whole, because the
// profile functions read and write the whole file again for every section, which a project of a
// thousand areas cannot afford.

struct IniEntry {
    std::string key;
    std::optional<std::string> value;  // none for a line without "="
};

struct IniSection {
    std::string name;  // "" for the lines before the first section, which have no header
    std::vector<IniEntry> entries;
};

using IniDocument = std::vector<IniSection>;

IniDocument ReadIniText(const std::string& text);
std::string IniText(const IniDocument& document);

// The entries of the first section of that name, as "key=value" (or "key" alone), without
// comments; nothing when there is no such section.
std::optional<std::vector<std::string>> SectionEntries(const IniDocument& document, const std::string& name);

// As a section is written: every section of that name loses its entries, and the first, or a new
// one at the end, takes these (a text without "=" is no entry).
void WriteSection(IniDocument& document, const std::string& name, const std::vector<std::string>& entries);

// Every section of that name goes.
void RemoveSection(IniDocument& document, const std::string& name);

bool SameSectionName(const std::string& a, const std::string& b);
