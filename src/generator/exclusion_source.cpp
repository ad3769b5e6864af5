#include "generator/exclusion_source.h"

#include <algorithm>
#include <optional>

#include "model/area_shape.h"

const char* const kMissingCoordinatesMessage = "Error! You must specify all coordinates!";
const char* const kMissingObjectTypesMessage = "Error! You must select object(s) to be execluded!";

std::string EscapeXmlAttribute(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + EscapeXmlAttribute(text) + "\"";
}

std::string CoordinateLine(const char* attribute, const std::string& text) {
    return std::string(8, ' ') + attribute + " = " + Quoted(text);
}

std::string ObjectTypeLine(ObjectType type) {
    return std::string(7, ' ') + kObjectTypes[type].attribute + " = \"TRUE\"";
}

const char* const kAsTyped =
    "\r\n\r\nThe source holds the corners as typed, and the compiler receives them so. Check them before you save it.";
const char* const kAroundTheWorld =
    " As typed, the area reaches the other way around the world, eastward from the northwest point across the 180th "
    "meridian to the southeast point.";
// Of a long list, the first are named; the rest counted.
const size_t kWarningsNamed = 10;

// How the corners are in the wrong order, "" when they are not. Texts the reader cannot read get
// no warning: the compiler judges them.
std::string WrongOrder(const ExclusionArea& area) {
    const std::optional<AreaShape> shape = ReadAreaShape(area);
    if (!shape || !(shape->northwestSouthOfSoutheast || shape->northwestEastOfSoutheast)) return "";
    const bool south = shape->northwestSouthOfSoutheast, east = shape->northwestEastOfSoutheast;
    return std::string("the northwest point lies ") +
           (south && east ? "south and east"
            : south       ? "south"
                          : "east") +
           " of the southeast point." + (east ? kAroundTheWorld : "");
}

std::string CornerOrderWarning(const ExclusionDocument& document) {
    if (document.areas.size() == 1) {
        const std::string wrong = WrongOrder(document.areas.front());
        return wrong.empty() ? "" : "The corners are in the wrong order: " + wrong + kAsTyped;
    }
    std::string warning;
    size_t concerned = 0;
    for (size_t i = 0; i < document.areas.size(); ++i) {
        const std::string wrong = WrongOrder(document.areas[i]);
        if (wrong.empty() || ++concerned > kWarningsNamed) continue;
        warning += (warning.empty() ? "" : "\r\n") + std::string("The corners of area ") + std::to_string(i + 1) +
                   " are in the wrong order: " + wrong;
    }
    if (concerned > kWarningsNamed) {
        warning +=
            "\r\nThe corners of " + std::to_string(concerned - kWarningsNamed) + " more areas are in the wrong order.";
    }
    return concerned == 0 ? "" : warning + kAsTyped;
}

// The checks before writing: the messages about one area, in order.
std::vector<std::string> AreaMessages(const ExclusionArea& area) {
    std::vector<std::string> messages;
    const bool coordinatesMissing = area.latitudeMaximum.empty() || area.longitudeMinimum.empty() ||
                                    area.latitudeMinimum.empty() || area.longitudeMaximum.empty();
    // A grayed box counts as chosen here, although it writes no attribute.
    const bool noTypeChosen = std::all_of(area.objectTypes.begin(), area.objectTypes.end(),
                                          [](CheckState s) { return s == CheckState::Clear; });
    if (coordinatesMissing) messages.push_back(kMissingCoordinatesMessage);
    if (noTypeChosen) messages.push_back(kMissingObjectTypesMessage);
    return messages;
}

void AddRectangle(std::vector<std::string>& lines, const ExclusionArea& area) {
    lines.push_back("   <ExclusionRectangle");
    lines.push_back(CoordinateLine("latitudeMinimum", area.latitudeMinimum));
    lines.push_back(CoordinateLine("latitudeMaximum", area.latitudeMaximum));
    lines.push_back(CoordinateLine("longitudeMinimum", area.longitudeMinimum));
    lines.push_back(CoordinateLine("longitudeMaximum", area.longitudeMaximum));
    if (area.objectTypes[All] == CheckState::Ticked) {
        lines.push_back(ObjectTypeLine(All) + " />");
        return;
    }
    for (int type = Beacon; type < ObjectTypeCount; ++type) {
        if (area.objectTypes[type] == CheckState::Ticked)
            lines.push_back(ObjectTypeLine(static_cast<ObjectType>(type)));
    }
    lines.push_back(" />");
}

}  // namespace

GeneratedSource GenerateExclusionSource(const ExclusionDocument& document) {
    GeneratedSource source;
    for (size_t i = 0; i < document.areas.size(); ++i) {
        source.messages = AreaMessages(document.areas[i]);
        if (source.messages.empty()) continue;
        source.failedArea = i;
        if (document.areas.size() > 1) {
            for (std::string& message : source.messages) message = "Area " + std::to_string(i + 1) + ": " + message;
        }
        return source;
    }
    source.lines = {
        "<?xml version=\"1.0\"?>",
        "<FSData",
        "   version = \"9.0\"",
        "   xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'",
        "   xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\" >",
    };
    source.lines.reserve(5 + 13 * document.areas.size() + 1);
    for (const ExclusionArea& area : document.areas) AddRectangle(source.lines, area);
    source.lines.push_back("</FSData>");
    source.warning = CornerOrderWarning(document);
    return source;
}
