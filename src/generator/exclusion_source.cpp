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

std::string Quoted(const std::string& text) { return "\"" + EscapeXmlAttribute(text) + "\""; }

std::string CoordinateLine(const char* attribute, const std::string& text) {
    return std::string(8, ' ') + attribute + " = " + Quoted(text);
}

std::string ObjectTypeLine(ObjectType type) {
    return std::string(7, ' ') + kObjectTypes[type].attribute + " = \"TRUE\"";
}

// Texts the reader cannot read get no warning: the compiler judges them.
std::string CornerOrderWarning(const ExclusionArea& area) {
    const std::optional<AreaShape> shape = ReadAreaShape(area);
    if (!shape || !(shape->northwestSouthOfSoutheast || shape->northwestEastOfSoutheast)) return "";
    const bool south = shape->northwestSouthOfSoutheast, east = shape->northwestEastOfSoutheast;
    std::string warning = std::string("The corners are in the wrong order: the northwest point lies ") +
                          (south && east ? "south and east" : south ? "south" : "east") + " of the southeast point.";
    if (east) {
        warning +=
            " As typed, the area reaches the other way around the world, eastward from the northwest point across "
            "the 180th meridian to the southeast point.";
    }
    return warning +
           "\r\n\r\nThe source holds the corners as typed, and the compiler receives them so. Check them before you "
           "save it.";
}

}  // namespace

GeneratedSource GenerateExclusionSource(const ExclusionArea& area) {
    GeneratedSource source;
    const bool coordinatesMissing = area.latitudeMaximum.empty() || area.longitudeMinimum.empty() ||
                                    area.latitudeMinimum.empty() || area.longitudeMaximum.empty();
    // A grayed box counts as chosen here, although it writes no attribute.
    const bool noTypeChosen = std::all_of(area.objectTypes.begin(), area.objectTypes.end(),
                                          [](CheckState s) { return s == CheckState::Clear; });
    if (coordinatesMissing) source.messages.push_back(kMissingCoordinatesMessage);
    if (noTypeChosen) source.messages.push_back(kMissingObjectTypesMessage);
    if (!source.messages.empty()) return source;

    source.lines = {
        "<?xml version=\"1.0\"?>",
        "<FSData",
        "   version = \"9.0\"",
        "   xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'",
        "   xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\" >",
        "   <ExclusionRectangle",
        CoordinateLine("latitudeMinimum", area.latitudeMinimum),
        CoordinateLine("latitudeMaximum", area.latitudeMaximum),
        CoordinateLine("longitudeMinimum", area.longitudeMinimum),
        CoordinateLine("longitudeMaximum", area.longitudeMaximum),
    };
    if (area.objectTypes[All] == CheckState::Ticked) {
        source.lines.push_back(ObjectTypeLine(All) + " />");
    } else {
        for (int type = Beacon; type < ObjectTypeCount; ++type) {
            if (area.objectTypes[type] == CheckState::Ticked) {
                source.lines.push_back(ObjectTypeLine(static_cast<ObjectType>(type)));
            }
        }
        source.lines.push_back(" />");
    }
    source.lines.push_back("</FSData>");
    source.warning = CornerOrderWarning(area);
    return source;
}
