#include "generator/kml_document.h"

#include <cstdio>
#include <optional>

#include "generator/map_outline.h"
#include "model/area_shape.h"

namespace {

// KML colours are alpha, blue, green, red: the outline opaque, the area half-transparent. The
// orange and red of the preview.
const char* const kStyles =
    "    <Style id=\"area\">\r\n"
    "      <LineStyle><color>ff0080ff</color><width>2</width></LineStyle>\r\n"
    "      <PolyStyle><color>800080ff</color></PolyStyle>\r\n"
    "    </Style>\r\n"
    "    <Style id=\"selected\">\r\n"
    "      <LineStyle><color>ff0000ff</color><width>2</width></LineStyle>\r\n"
    "      <PolyStyle><color>800000ff</color></PolyStyle>\r\n"
    "    </Style>\r\n";

std::string Coordinates(const AreaShape& shape) {
    std::string coordinates;
    for (const MapPoint& point : MapOutline(shape)) {
        char text[64];
        std::snprintf(text, sizeof text, "%s%.6f,%.6f", coordinates.empty() ? "" : " ",
                      WrappedLongitude(point.longitude), point.latitude);
        coordinates += text;
    }
    return coordinates;
}

}  // namespace

// Nothing the user types goes in: the names and descriptions are the program's own ASCII texts,
// with no character XML gives a meaning, and the corners are written as numbers.
std::string KmlDocument(const ExclusionDocument& document) {
    std::string kml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n"
        "  <Document>\r\n";
    kml += kStyles;
    for (size_t i = 0; i < document.areas.size(); ++i) {
        const std::optional<AreaShape> shape = ReadAreaShape(document.areas[i]);
        if (!shape) continue;
        kml +=
            "    <Placemark>\r\n"
            "      <name>Area " +
            std::to_string(i + 1) +
            "</name>\r\n"
            "      <description>" +
            ObjectTypesInShort(document.areas[i]) +
            "</description>\r\n"
            "      <styleUrl>#" +
            (i == document.selected ? "selected" : "area") +
            "</styleUrl>\r\n"
            "      <Polygon>\r\n"
            "        <altitudeMode>clampToGround</altitudeMode>\r\n"
            "        <outerBoundaryIs><LinearRing><coordinates>" +
            Coordinates(*shape) +
            "</coordinates></LinearRing></outerBoundaryIs>\r\n"
            "      </Polygon>\r\n"
            "    </Placemark>\r\n";
    }
    return kml + "  </Document>\r\n</kml>\r\n";
}
