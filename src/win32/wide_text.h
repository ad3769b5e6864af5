#pragma once

#include <optional>
#include <string>
#include <vector>

// Wide text as a vector: std::wstring would bring the whole of its library instantiation along.
using WideText = std::vector<wchar_t>;

// The text in UTF-16, read in this code page with these MultiByteToWideChar flags; nothing when
// it cannot be read so.
std::optional<WideText> Widened(const std::string& text, unsigned codePage, unsigned long flags = 0);
