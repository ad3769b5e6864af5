#pragma once

#include <optional>
#include <string>
#include <vector>

// Wide text as a vector: std::wstring would bring the whole of its library instantiation along.
using WideText = std::vector<wchar_t>;

// The text in UTF-16, read in this code page with these MultiByteToWideChar flags; nothing when
// it cannot be read so.
std::optional<WideText> Widened(const std::string& text, unsigned codePage, unsigned long flags = 0);

// The wide text in the code page of this number (GetACP() for the ANSI one, not CP_ACP); nothing
// when it cannot be written so.
// Exact: nothing also when a character has no form of its own there, rather than a best fit or
// the default character.
std::optional<std::string> Narrowed(const WideText& wide, unsigned codePage, bool exact);
