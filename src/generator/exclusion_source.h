#pragma once

#include <string>
#include <vector>

#include "model/exclusion_document.h"

extern const char* const kMissingCoordinatesMessage;
extern const char* const kMissingObjectTypesMessage;

// What pressing "Generate source code" produces: either the messages to show, in order, about the
// first area that cannot be written, or the lines of the BGLComp XML document (without line
// ends) with every area in list order. Never both.
struct GeneratedSource {
    std::vector<std::string> messages;
    size_t failedArea = 0;  // with the messages: the area they are about, counted from 0
    std::vector<std::string> lines;
    // With the document: a warning to show after it when the corners of areas, as read, are in the
    // wrong order (the document holds them as typed all the same); empty otherwise.
    std::string warning;
};

GeneratedSource GenerateExclusionSource(const ExclusionDocument& document);

// Escapes the characters that would end or break a double-quoted XML attribute value.
std::string EscapeXmlAttribute(const std::string& text);
