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
