#pragma once

#include <string>
#include <vector>

#include "model/exclusion_area.h"

extern const char* const kMissingCoordinatesMessage;
extern const char* const kMissingObjectTypesMessage;

// What pressing "Generate source code" produces: either the messages to show, in order,
// or the lines of the BGLComp XML document (without line ends). Never both.
struct GeneratedSource {
    std::vector<std::string> messages;
    std::vector<std::string> lines;
    // With the document: a warning to show after it when the corners, as read, are in the wrong
    // order (the document holds them as typed all the same); empty otherwise.
    std::string warning;
};

GeneratedSource GenerateExclusionSource(const ExclusionArea& area);

// Escapes the characters that would end or break a double-quoted XML attribute value.
std::string EscapeXmlAttribute(const std::string& text);
