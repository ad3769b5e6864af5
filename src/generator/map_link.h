#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/exclusion_document.h"

// The Map command's link: geojson.io, which draws the GeoJSON given in its address over street
// and satellite maps.
extern const char* const kMapPage;  // "https://geojson.io/#data=data:application/json,"

// A GeoJSON FeatureCollection of the document's areas: one Polygon feature for each area whose
// four texts are read (ReadAreaShape), its outline (MapOutline) a closed ring of longitude and
// latitude with six decimals, and the properties "area" (its number, from 1) and "types" (its
// object types in short). The other areas are left out. ASCII only.
std::string MapGeoJson(const ExclusionDocument& document);

// The text percent-encoded as JavaScript's encodeURIComponent does: letters, digits and
// - _ . ! ~ * ' ( ) as they are, every other byte as %XX (a UTF-8 text's bytes are so its
// characters' UTF-8).
std::string EncodeUriComponent(const std::string& text);

// What the Map command opens and what it tells.
struct MapLink {
    std::string url;               // empty when nothing is to be opened
    std::vector<size_t> notDrawn;  // the numbers of the areas left out, from 1
    bool tooLong = false;          // the link would be `limit` characters or more
};

// The page with the document's GeoJSON, unless no area can be drawn or the link would be `limit`
// characters or more, too long to hand to a browser.
MapLink MakeMapLink(const ExclusionDocument& document, size_t limit);

// For the user: nothing opened, as no area can be drawn.
extern const char* const kNothingOnMapMessage;
// For the user: nothing opened, as the link would be too long; the KML file instead.
extern const char* const kMapTooLongMessage;
// For the user, before the map opens: the areas left out of it ("Areas 2 and 5 are not on the
// map: ..."); "" when none is.
std::string NotOnMapMessage(const std::vector<size_t>& notDrawn);
