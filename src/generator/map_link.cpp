#include "generator/map_link.h"

#include <cstdio>
#include <optional>

#include "generator/map_outline.h"
#include "model/area_shape.h"

const char* const kMapPage = "https://geojson.io/#data=data:application/json,";

const char* const kNothingOnMapMessage =
    "There is nothing to show on the map: Zonewright cannot read all four corners of any area.\r\n\r\n"
    "Nothing was opened.";

const char* const kMapTooLongMessage =
    "The areas are too many for the web map: their link would be longer than Windows can hand to a browser."
    "\r\n\r\nSave them as a Google Earth KML file instead (File > Save, file type \"Google Earth KML (*.kml)\") "
    "and open that. Nothing was opened.";

namespace {

// At most so many numbers are named; the rest are counted.
const size_t kNamedAreas = 10;

std::string Position(const MapPoint& point) {
    char text[64];
    std::snprintf(text, sizeof text, "[%.6f,%.6f]", point.longitude, point.latitude);
    return text;
}

// The features of the areas that can be drawn; the numbers of the others go into `notDrawn`.
// The types in short are the program's own ASCII names, with nothing JSON would escape.
std::string Features(const ExclusionDocument& document, std::vector<size_t>& notDrawn) {
    std::string features;
    for (size_t i = 0; i < document.areas.size(); ++i) {
        const std::optional<AreaShape> shape = ReadAreaShape(document.areas[i]);
        if (!shape) {
            notDrawn.push_back(i + 1);
            continue;
        }
        std::string ring;
        for (const MapPoint& point : MapOutline(*shape)) ring += (ring.empty() ? "" : ",") + Position(point);
        if (!features.empty()) features += ",";
        features += "{\"type\":\"Feature\",\"properties\":{\"area\":" + std::to_string(i + 1) + ",\"types\":\"" +
                    ObjectTypesInShort(document.areas[i]) +
                    "\"},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[" + ring + "]]}}";
    }
    return features;
}

std::string Collection(const std::string& features) {
    return "{\"type\":\"FeatureCollection\",\"features\":[" + features + "]}";
}

}  // namespace

std::string MapGeoJson(const ExclusionDocument& document) {
    std::vector<size_t> notDrawn;
    return Collection(Features(document, notDrawn));
}

std::string EncodeUriComponent(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            std::string("-_.!~*'()").find(c) != std::string::npos) {
            encoded += c;
        } else {
            encoded += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return encoded;
}

MapLink MakeMapLink(const ExclusionDocument& document, size_t limit) {
    MapLink link;
    const std::string features = Features(document, link.notDrawn);
    if (link.notDrawn.size() == document.areas.size()) return link;
    link.url = kMapPage + EncodeUriComponent(Collection(features));
    if (link.url.size() >= limit) {
        link.url.clear();
        link.tooLong = true;
    }
    return link;
}

std::string NotOnMapMessage(const std::vector<size_t>& notDrawn) {
    if (notDrawn.empty()) return "";
    if (notDrawn.size() == 1) {
        return "Area " + std::to_string(notDrawn[0]) +
               " is not on the map: Zonewright cannot read all four of its corners. The map shows the others.";
    }
    const size_t named = notDrawn.size() > kNamedAreas ? kNamedAreas : notDrawn.size() - 1;
    std::string areas = "Areas ";
    for (size_t i = 0; i < named; ++i) areas += (i == 0 ? "" : ", ") + std::to_string(notDrawn[i]);
    areas += notDrawn.size() > kNamedAreas ? " and " + std::to_string(notDrawn.size() - named) + " more"
                                           : " and " + std::to_string(notDrawn.back());
    return areas + " are not on the map: Zonewright cannot read all four of their corners. The map shows the others.";
}
