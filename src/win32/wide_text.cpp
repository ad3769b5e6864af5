#include "win32/wide_text.h"

#include <windows.h>

std::optional<WideText> Widened(const std::string& text, unsigned codePage, unsigned long flags) {
    if (text.empty()) return WideText();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    WideText wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) != length) return std::nullopt;
    return wide;
}

std::optional<std::string> Narrowed(const wchar_t* text, size_t length, unsigned codePage, bool exact) {
    if (length == 0) return std::string();
    if (codePage == CP_ACP) codePage = GetACP();
    if (codePage == CP_OEMCP) codePage = GetOEMCP();
    // UTF-8 and UTF-7 take no flags and no default character.
    const bool checked = exact && codePage != CP_UTF8 && codePage != CP_UTF7;
    const DWORD flags = checked ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL lossy = FALSE;
    BOOL* lost = checked ? &lossy : nullptr;
    const int size = static_cast<int>(length);
    const int narrowLength = WideCharToMultiByte(codePage, flags, text, size, nullptr, 0, nullptr, lost);
    if (narrowLength <= 0) return std::nullopt;
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    if (WideCharToMultiByte(codePage, flags, text, size, &narrow[0], narrowLength, nullptr, lost) != narrowLength ||
        lossy) {
        return std::nullopt;
    }
    return narrow;
}
