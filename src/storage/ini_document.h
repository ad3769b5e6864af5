#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
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

// Where the sections of each name stand, in file order, the names lower-cased: a file of a
// thousand areas has thousands of sections to find.
using SectionIndex = std::unordered_map<std::string, std::vector<size_t>>;
SectionIndex IndexSections(const IniDocument& document);

// The entries of the first section of that name, as "key=value" (or "key" alone), without
// comments; nothing when there is no such section.
std::optional<std::vector<std::string>> SectionEntries(const IniDocument& document, const SectionIndex& index,
                                                       const std::string& name);

// As a section is written: every section of that name loses its entries, and the first, or a new
// one at the end, takes these (a text without "=" is no entry).
void WriteSection(IniDocument& document, SectionIndex& index, const std::string& name,
                  const std::vector<std::string>& entries);

// Every section whose name the test picks goes, as a section is removed by name; the index is
// made anew.
void RemoveSections(IniDocument& document, SectionIndex& index, const std::function<bool(const std::string&)>& goes);

bool SameSectionName(const std::string& a, const std::string& b);
