#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Wide text as a vector: std::wstring would bring the whole of its library instantiation along.
using WideText = std::vector<wchar_t>;

// The text in UTF-16, read in this code page with these MultiByteToWideChar flags; nothing when
// it cannot be read so.
std::optional<WideText> Widened(const std::string& text, unsigned codePage, unsigned long flags = 0);

// The UTF-16 text in this code page (CP_ACP and CP_OEMCP as the system sets them). Exact: nothing
// when a character has no form there, rather than the closest or the default character. UTF-8 and
// UTF-7 hold every character. Nothing too when the text is no valid UTF-16.
std::optional<std::string> Narrowed(const wchar_t* text, size_t length, unsigned codePage, bool exact);
inline std::optional<std::string> Narrowed(const WideText& text, unsigned codePage, bool exact) {
    return Narrowed(text.data(), text.size(), codePage, exact);
}
