#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/result.h"

// The bytes of an XML file on their way to the parser, which reads UTF-8 and little-endian UTF-16
// itself.

// Whether a file's first bytes are XML's: after a byte-order mark and blanks, a "<" (the XML
// declaration, a comment or an element), in UTF-8, UTF-16 of either byte order or a single-byte
// code page. A project file begins with a section or a key.
bool BeginsLikeXml(const std::string& start);

// How many first bytes tell it.
constexpr size_t kXmlSniffBytes = 4096;

// The same for a file, from its first bytes; false when it cannot be read.
bool IsXmlFile(const std::string& path);

// No exclusion source is larger: a larger file is none, and would be read whole to be loaded.
constexpr size_t kXmlSourceLimit = 16 * 1024 * 1024;

// Windows' number of the system's ANSI code page (CP_ACP).
constexpr unsigned kAnsiCodePage = 0;

struct XmlBytes {
    std::string bytes;
    // When set, the bytes are text in this Windows code page, to be given to the parser as UTF-16;
    // the name of the encoding they declare then reads "UTF-16", with blanks after it for the rest
    // of the old name, so that every character keeps its line and column.
    std::optional<unsigned> codePage;
};

// The file's bytes as the parser is to get them, always as many. Big-endian UTF-16 is turned
// little-endian. A file that declares one of Windows' single-byte code pages (windows-1250 to
// -1258, ISO-8859-1 to -9, -13 and -15) is for the caller to convert, as is one that declares no
// encoding and has no byte-order mark but is not UTF-8: Zonewright writes its sources so, in the
// ANSI code page. Everything else goes as it is, and the parser judges it.
XmlBytes PrepareXmlBytes(std::string bytes);
