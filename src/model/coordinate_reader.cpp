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

// A coordinate read, and how many parts it was written in: 1 for degrees alone, 2 with minutes,
// 3 with seconds.
struct Reading {
    double degrees = 0;
    int parts = 0;
};

std::optional<Reading> Read(const std::string& text, Coordinate coordinate) {
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
    return Reading{sign * degrees, count};
}

// Where a latitude may end and its longitude begin: blanks, a comma, or a comma with blanks
// around it.
bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

const size_t kLongestPair = 200;

}  // namespace

std::optional<double> ReadCoordinate(const std::string& text, Coordinate coordinate) {
    const std::optional<Reading> reading = Read(text, coordinate);
    if (!reading) return std::nullopt;
    return reading->degrees;
}

// What a user copying from a map means, where a text could be read more than one way: every
// place between two halves is tried, and the text is a pair when exactly one cut gives a latitude
// and a longitude in the same form (as many parts each). A text that reads whole as one coordinate
// stays one, although a cut would give two halves: "47 25 53.4", "47 25", "47,5". So
// "47 25.5 122 30.2" is two in degrees and minutes, "47,5 122,3" two with decimal commas (cut at
// a comma, "5 122,3" is no longitude), "47.5,-122.3" two without a blank, and "47 122 30", which
// cuts only into halves of different forms, is taken for a mistyped single coordinate.
std::optional<CoordinatePair> ReadCoordinatePair(const std::string& text) {
    // Longer than any pair written out in full: a paste of something else, not read at all.
    if (text.size() > kLongestPair) return std::nullopt;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    const std::string trimmed = text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
    if (Read(trimmed, Coordinate::Latitude) || Read(trimmed, Coordinate::Longitude)) return std::nullopt;
    std::optional<CoordinatePair> pair;
    for (size_t start = 1; start < trimmed.size(); ++start) {
        if (!IsSeparator(trimmed[start]) || IsSeparator(trimmed[start - 1])) continue;
        size_t end = start;
        while (end < trimmed.size() && IsSeparator(trimmed[end])) ++end;
        const std::string separator = trimmed.substr(start, end - start);
        if (separator.find(',') != separator.rfind(',')) continue;
        const std::string latitude = trimmed.substr(0, start), longitude = trimmed.substr(end);
        const std::optional<Reading> north = Read(latitude, Coordinate::Latitude);
        const std::optional<Reading> east = Read(longitude, Coordinate::Longitude);
        if (!north || !east || north->parts != east->parts) continue;
        if (pair) return std::nullopt;  // two ways to read it: no pair
        pair = CoordinatePair{latitude, longitude};
    }
    return pair;
}
