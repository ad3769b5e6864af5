#pragma once

#include <bitset>
#include <cstddef>
#include <string>

// Text in the system's ANSI code page, walked by characters. In a double-byte code page
// (Japanese, Chinese, Korean) a lead byte and the byte after it are one character, and that
// second byte may be a backslash, a "[" or a letter: a path or a settings line searched byte by
// byte would split such a character.

using LeadBytes = std::bitset<256>;

// The lead bytes of the system's ANSI code page; none in a single-byte one.
const LeadBytes& SystemLeadBytes();

// Where the first of these single-byte characters stands at or after `from` (where a character
// starts), never inside a double-byte character; npos when there is none.
size_t FindCharacter(const std::string& text, const char* characters, size_t from = 0,
                     const LeadBytes& lead = SystemLeadBytes());

// Where the last of them stands; npos when there is none.
size_t FindLastCharacter(const std::string& text, const char* characters, const LeadBytes& lead = SystemLeadBytes());

// Where the name after the last folder separator (\, / or the drive's :) begins; 0 for none.
size_t FileNameStart(const std::string& path, const LeadBytes& lead = SystemLeadBytes());

// The folder part of a path, without the separator before the name; a root keeps its separator
// (Y:\, \\server\share\, \), since "Y:" alone names the current folder of drive Y. "" when the
// path has no folder part.
std::string FolderOf(const std::string& path, const LeadBytes& lead = SystemLeadBytes());

// The name in that folder, with one separator between them; the name alone for no folder.
std::string InFolder(const std::string& folder, const std::string& name, const LeadBytes& lead = SystemLeadBytes());
