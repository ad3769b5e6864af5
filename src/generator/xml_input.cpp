#include "generator/xml_input.h"

#include <cstring>

#include "storage/text_file.h"

namespace {

bool StartsWith(const std::string& bytes, const char* start) {
    return bytes.compare(0, std::strlen(start), start) == 0;
}

bool IsBlank(unsigned c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Big-endian UTF-16, with its byte-order mark or, without one, a first character of ASCII.
bool IsBigEndianUtf16(const std::string& bytes) {
    return StartsWith(bytes, "\xFE\xFF") || (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] != '\0');
}

bool IsLittleEndianUtf16(const std::string& bytes) {
    return StartsWith(bytes, "\xFF\xFE") || (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0');
}

bool IsUtf8(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = lead < 0x80                   ? 1
                              : lead >= 0xC2 && lead < 0xE0 ? 2
                              : lead >= 0xE0 && lead < 0xF0 ? 3
                              : lead >= 0xF0 && lead < 0xF5 ? 4
                                                            : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        unsigned code = lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and what lies beyond Unicode are no UTF-8.
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return false;
        i += length;
    }
    return true;
}

// Where the name of the encoding that the XML declaration gives stands; npos for no name.
size_t DeclaredEncoding(const std::string& bytes, size_t& length) {
    if (!StartsWith(bytes, "<?xml") || bytes.size() < 6 || !IsBlank(static_cast<unsigned char>(bytes[5]))) {
        return std::string::npos;
    }
    const size_t end = bytes.find("?>");
    const size_t key = bytes.find("encoding", 5);
    if (end == std::string::npos || key == std::string::npos || key > end) return std::string::npos;
    size_t at = bytes.find_first_not_of(" \t\r\n", key + 8);
    if (at == std::string::npos || bytes[at] != '=') return std::string::npos;
    at = bytes.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string::npos || (bytes[at] != '"' && bytes[at] != '\'')) return std::string::npos;
    const size_t close = bytes.find(bytes[at], at + 1);
    if (close == std::string::npos || close > end) return std::string::npos;
    length = close - at - 1;
    return at + 1;
}

// The Windows code page of a single-byte encoding by its name, in any case; 0 for another.
unsigned SingleByteCodePage(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    const auto number = [&name](size_t from) {
        const std::string digits = name.substr(from);
        if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos) {
            return 0u;
        }
        return static_cast<unsigned>(std::stoul(digits));
    };
    if (StartsWith(name, "windows-")) {
        const unsigned page = number(8);
        return page >= 1250 && page <= 1258 ? page : 0;
    }
    if (StartsWith(name, "iso-8859-")) {
        const unsigned part = number(9);
        return (part >= 1 && part <= 9) || part == 13 || part == 15 ? 28590 + part : 0;
    }
    return 0;
}

}  // namespace

bool BeginsLikeXml(const std::string& start) {
    size_t unit = 1, at = 0;
    bool bigEndian = false;
    if (IsBigEndianUtf16(start) || IsLittleEndianUtf16(start)) {
        unit = 2;
        bigEndian = IsBigEndianUtf16(start);
        at = StartsWith(start, "\xFE\xFF") || StartsWith(start, "\xFF\xFE") ? 2 : 0;
    } else if (StartsWith(start, "\xEF\xBB\xBF")) {
        at = 3;
    }
    for (; at + unit <= start.size(); at += unit) {
        const unsigned char first = static_cast<unsigned char>(start[at]);
        const unsigned char second = unit == 2 ? static_cast<unsigned char>(start[at + 1]) : 0;
        const unsigned c = bigEndian ? second | first << 8 : first | second << 8;
        if (!IsBlank(c)) return c == '<';
    }
    return false;
}

bool IsXmlFile(const std::string& path) {
    const Result<std::string> start = ReadFileStart(path, kXmlSniffBytes);
    return !start.error && BeginsLikeXml(start.value);
}

XmlBytes PrepareXmlBytes(std::string bytes) {
    XmlBytes input;
    if (IsBigEndianUtf16(bytes)) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    } else if (!IsLittleEndianUtf16(bytes) && !StartsWith(bytes, "\xEF\xBB\xBF")) {
        size_t length = 0;
        const size_t name = DeclaredEncoding(bytes, length);
        if (name == std::string::npos) {
            if (!IsUtf8(bytes)) input.codePage = kAnsiCodePage;
        } else if (const unsigned page = SingleByteCodePage(bytes.substr(name, length))) {
            // Every name of that table is longer; the closing quote moves up to the new name.
            const std::string utf16 = "UTF-16";
            bytes.replace(name, length + 1, utf16 + bytes[name - 1] + std::string(length - utf16.size(), ' '));
            input.codePage = page;
        }
    }
    input.bytes = std::move(bytes);
    return input;
}
