#pragma once

// Helpers shared by the fuzz targets.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Stops the run with the broken property named, so that libFuzzer keeps the input.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

// The input cut at NUL bytes into at most `parts` pieces; the last piece takes the rest, NULs
// and all. Fewer pieces when the input holds fewer NULs.
inline std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::string> pieces;
    const char* text = reinterpret_cast<const char*>(data);
    size_t start = 0;
    while (pieces.size() + 1 < parts) {
        size_t end = start;
        while (end < size && text[end] != '\0') ++end;
        if (end == size) break;
        pieces.emplace_back(text + start, end - start);
        start = end + 1;
    }
    pieces.emplace_back(text + start, size - start);
    return pieces;
}

inline bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }
