#include "model/coordinate_reader.h"

#include <cstdlib>

namespace {

// The sign each part may carry: degrees (° in the ANSI code page, Windows-1252), minutes, seconds.
const char kPartSigns[] = {'\xB0', '\'', '"'};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// +1 for north or east, -1 for south or west, 0 for any other character.
int Hemisphere(char c, Coordinate coordinate) {
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (coordinate == Coordinate::Latitude) return upper == 'N' ? 1 : upper == 'S' ? -1 : 0;
    return upper == 'E' ? 1 : upper == 'W' ? -1 : 0;
}

}  // namespace

std::optional<double> ReadCoordinate(const std::string& text, Coordinate coordinate) {
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return std::nullopt;
    const size_t end = text.find_last_not_of(" \t") + 1;
    auto skipBlanks = [&] {
        while (at < end && IsBlank(text[at])) ++at;
    };

    int sign = 1;
    bool hasSign = false, hasLetter = false;
    if (const int hemisphere = Hemisphere(text[at], coordinate)) {
        sign = hemisphere;
        hasLetter = true;
        ++at;
        skipBlanks();
    } else if (text[at] == '-' || text[at] == '+') {
        sign = text[at] == '-' ? -1 : 1;
        hasSign = true;
        ++at;
    }

    // Degrees, then minutes, then seconds; only the last part read may have a fraction.
    double parts[3] = {0, 0, 0};
    int count = 0;
    bool fraction = false;
    while (count < 3 && !fraction && at < end && IsDigit(text[at])) {
        std::string number;
        while (at < end && IsDigit(text[at])) number += text[at++];
        if (at + 1 < end && (text[at] == '.' || text[at] == ',') && IsDigit(text[at + 1])) {
            fraction = true;
            number += '.';  // what strtod reads in the C locale, the program's
            for (++at; at < end && IsDigit(text[at]); ++at) number += text[at];
        }
        parts[count] = std::strtod(number.c_str(), nullptr);
        skipBlanks();
        if (at < end && text[at] == kPartSigns[count]) {
            ++at;
            skipBlanks();
        }
        ++count;
    }
    if (count == 0) return std::nullopt;
    if (at < end) {
        const int hemisphere = Hemisphere(text[at], coordinate);
        if (hemisphere == 0 || hasSign || hasLetter) return std::nullopt;
        sign = hemisphere;
        ++at;
    }
    if (at != end || parts[1] >= 60 || parts[2] >= 60) return std::nullopt;
    const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
    // Written so that an infinite value fails too.
    if (!(degrees <= (coordinate == Coordinate::Latitude ? 90 : 180))) return std::nullopt;
    return sign * degrees;
}
