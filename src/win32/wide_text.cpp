#include "win32/wide_text.h"

#include <windows.h>

namespace {

// UTF-8 and UTF-7 take no flags and no default character: every character has a form in them.
bool IsUnicode(unsigned codePage) {
    return codePage == CP_UTF8 || codePage == CP_UTF7;
}

}  // namespace

std::optional<WideText> Widened(const std::string& text, unsigned codePage, unsigned long flags) {
    if (text.empty()) return WideText();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    WideText wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) != length) return std::nullopt;
    return wide;
}

std::optional<std::string> Narrowed(const WideText& wide, unsigned codePage, bool exact) {
    if (wide.empty()) return std::string();
    const DWORD flags = exact && !IsUnicode(codePage) ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL lossy = FALSE;
    BOOL* lost = exact && !IsUnicode(codePage) ? &lossy : nullptr;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lost);
    if (length <= 0) return std::nullopt;
    std::string text(static_cast<size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), size, &text[0], length, nullptr, lost) != length || lossy) {
        return std::nullopt;
    }
    return text;
}
