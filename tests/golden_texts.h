#pragma once

// What the program writes and says, word for word, written out once for every suite. Plain
// C++ without windows.h, so the native suites use it too.
//
// A document is the text of the source view: CR LF after every line. A saved source file holds
// one more CR LF at its end.

// The lines every document begins with; the element's end; and the lines of the area most
// documents hold: latitude maximum 47.5, longitude minimum -122.5, latitude minimum 47.25,
// longitude maximum -122.25. Pieces of literals, joined into literals.
#define ZW_OPENING                                                 \
    "<?xml version=\"1.0\"?>\r\n"                                  \
    "<FSData\r\n"                                                  \
    "   version = \"9.0\"\r\n"                                     \
    "   xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'\r\n" \
    "   xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\" >\r\n"       \
    "   <ExclusionRectangle\r\n"
#define ZW_AREA                                 \
    "        latitudeMinimum = \"47.25\"\r\n"   \
    "        latitudeMaximum = \"47.5\"\r\n"    \
    "        longitudeMinimum = \"-122.5\"\r\n" \
    "        longitudeMaximum = \"-122.25\"\r\n"
#define ZW_CLOSING \
    " />\r\n"      \
    "</FSData>\r\n"

// The area above, Windsocks ticked.
constexpr char kWindsocksDocument[] = ZW_OPENING ZW_AREA "       excludeWindsockObjects = \"TRUE\"\r\n" ZW_CLOSING;

// Latitude maximum N47 25' 53.4", longitude minimum W122 30' 0.0", latitude minimum N47 15' 10",
// longitude maximum W122 15' 2.5", Windsocks ticked.
constexpr char kWindsocksSecondsDocument[] = ZW_OPENING
    "        latitudeMinimum = \"N47 15' 10&quot;\"\r\n"
    "        latitudeMaximum = \"N47 25' 53.4&quot;\"\r\n"
    "        longitudeMinimum = \"W122 30' 0.0&quot;\"\r\n"
    "        longitudeMaximum = \"W122 15' 2.5&quot;\"\r\n"
    "       excludeWindsockObjects = \"TRUE\"\r\n" ZW_CLOSING;

// The coordinates of kWindsocksDocument with All objects ticked, whatever the other boxes hold.
constexpr char kAllObjectsDocument[] = ZW_OPENING ZW_AREA
    "       excludeAllObjects = \"TRUE\" />\r\n"
    "</FSData>\r\n";

// The coordinates of kWindsocksDocument with the seven single types ticked and All objects clear.
constexpr char kSevenTypesDocument[] = ZW_OPENING ZW_AREA
    "       excludeBeaconObjects = \"TRUE\"\r\n"
    "       excludeEffectObjects = \"TRUE\"\r\n"
    "       excludeGenericBuildingObjects = \"TRUE\"\r\n"
    "       excludeLibraryObjects = \"TRUE\"\r\n"
    "       excludeTaxiwaySignObjects = \"TRUE\"\r\n"
    "       excludeTriggerObjects = \"TRUE\"\r\n"
    "       excludeWindsockObjects = \"TRUE\"\r\n" ZW_CLOSING;

// The coordinates of kWindsocksDocument with Beacons and Triggers ticked.
constexpr char kBeaconsAndTriggersDocument[] = ZW_OPENING ZW_AREA
    "       excludeBeaconObjects = \"TRUE\"\r\n"
    "       excludeTriggerObjects = \"TRUE\"\r\n" ZW_CLOSING;

// The coordinates of kWindsocksDocument with only grayed boxes: chosen, but nothing to write.
constexpr char kNoTypeWrittenDocument[] = ZW_OPENING ZW_AREA ZW_CLOSING;

// Latitude maximum -33.9, longitude minimum 151.1, latitude minimum -34.0, longitude maximum
// 151.3, the six single types but Windsocks ticked.
constexpr char kSixTypesDocument[] = ZW_OPENING
    "        latitudeMinimum = \"-34.0\"\r\n"
    "        latitudeMaximum = \"-33.9\"\r\n"
    "        longitudeMinimum = \"151.1\"\r\n"
    "        longitudeMaximum = \"151.3\"\r\n"
    "       excludeBeaconObjects = \"TRUE\"\r\n"
    "       excludeEffectObjects = \"TRUE\"\r\n"
    "       excludeGenericBuildingObjects = \"TRUE\"\r\n"
    "       excludeLibraryObjects = \"TRUE\"\r\n"
    "       excludeTaxiwaySignObjects = \"TRUE\"\r\n"
    "       excludeTriggerObjects = \"TRUE\"\r\n" ZW_CLOSING;

// The area of kWindsocksDocument with the two latitudes the wrong way round (latitude maximum
// 47.25, latitude minimum 47.5), Windsocks ticked.
constexpr char kSwappedLatitudesDocument[] = ZW_OPENING
    "        latitudeMinimum = \"47.5\"\r\n"
    "        latitudeMaximum = \"47.25\"\r\n"
    "        longitudeMinimum = \"-122.5\"\r\n"
    "        longitudeMaximum = \"-122.25\"\r\n"
    "       excludeWindsockObjects = \"TRUE\"\r\n" ZW_CLOSING;

// Three areas in one document: the area of kWindsocksDocument; the same with the latitudes the
// wrong way round and All objects ticked; the same with the longitudes the wrong way round and
// Beacons ticked.
constexpr char kThreeAreasDocument[] = ZW_OPENING ZW_AREA
    "       excludeWindsockObjects = \"TRUE\"\r\n"
    " />\r\n"
    "   <ExclusionRectangle\r\n"
    "        latitudeMinimum = \"47.5\"\r\n"
    "        latitudeMaximum = \"47.25\"\r\n"
    "        longitudeMinimum = \"-122.5\"\r\n"
    "        longitudeMaximum = \"-122.25\"\r\n"
    "       excludeAllObjects = \"TRUE\" />\r\n"
    "   <ExclusionRectangle\r\n"
    "        latitudeMinimum = \"47.25\"\r\n"
    "        latitudeMaximum = \"47.5\"\r\n"
    "        longitudeMinimum = \"-122.25\"\r\n"
    "        longitudeMaximum = \"-122.5\"\r\n"
    "       excludeBeaconObjects = \"TRUE\"\r\n" ZW_CLOSING;

#undef ZW_OPENING
#undef ZW_AREA
#undef ZW_CLOSING

// The start-up warning when no compiler is set; it is also the answer to a compile without one.
constexpr char kDefineCompiler[] =
    "Please define \"bglcomp.exe\" location from \"Settings\" or you will not be able to generate .bgl files.";

// What a failed check before generating says.
constexpr char kMissingCoordinates[] = "Error! You must specify all coordinates!";
constexpr char kMissingObjectTypes[] = "Error! You must select object(s) to be execluded!";

// What Generate says after the document when the corners are in the wrong order.
#define ZW_AS_TYPED \
    "\r\n\r\nThe source holds the corners as typed, and the compiler receives them so. Check them before you save it."
#define ZW_AROUND_THE_WORLD                                                                                     \
    " As typed, the area reaches the other way around the world, eastward from the northwest point across the " \
    "180th meridian to the southeast point."
constexpr char kCornersSouthWarning[] =
    "The corners are in the wrong order: the northwest point lies south of the southeast point." ZW_AS_TYPED;
constexpr char kCornersEastWarning[] =
    "The corners are in the wrong order: the northwest point lies east of the southeast point." ZW_AROUND_THE_WORLD
        ZW_AS_TYPED;
constexpr char kCornersSouthAndEastWarning[] =
    "The corners are in the wrong order: the northwest point lies south and east of the southeast "
    "point." ZW_AROUND_THE_WORLD ZW_AS_TYPED;
// What Generate says after kThreeAreasDocument.
constexpr char kThreeAreasWarning[] =
    "The corners of area 2 are in the wrong order: the northwest point lies south of the southeast point.\r\n"
    "The corners of area 3 are in the wrong order: the northwest point lies east of the southeast "
    "point." ZW_AROUND_THE_WORLD ZW_AS_TYPED;
#undef ZW_AS_TYPED
#undef ZW_AROUND_THE_WORLD

// The map exports of the sample document of two areas: area 1 with latitude maximum 47.4650,
// longitude minimum -122.3170, latitude minimum 47.4300, longitude maximum -122.2980, Generic
// buildings and Library objects ticked; area 2, the selected one, with N47 26 24, W122 18 36,
// 47 26.1 and 122 18.3W, Windsocks ticked. The link is the GeoJSON after the page, percent-encoded
// as JavaScript's encodeURIComponent does.
constexpr char kTwoAreaGeoJson[] =
    "{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"properties\":{\"area\":1,\"types\":"
    "\"buildings, library\"},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[-122.317000,47.465000],[-122.317000,"
    "47.430000],[-122.298000,47.430000],[-122.298000,47.465000],[-122.317000,47.465000]]]}},{\"type\":\"Feature\","
    "\"properties\":{\"area\":2,\"types\":\"windsocks\"},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[-122."
    "310000,"
    "47.440000],[-122.310000,47.435000],[-122.305000,47.435000],[-122.305000,47.440000],[-122.310000,47.440000]]]}}]}";
constexpr char kTwoAreaMapUrl[] =
    "https://geojson.io/#data=data:application/json,%7B%22type%22%3A%22FeatureCollection%22%2C%22features%22%3A%5B%7B"
    "%22type%22%3A%22Feature%22%2C%22properties%22%3A%7B%22area%22%3A1%2C%22types%22%3A%22buildings%2C%20library%22%7D"
    "%2C%22geometry%22%3A%7B%22type%22%3A%22Polygon%22%2C%22coordinates%22%3A%5B%5B%5B-122.317000%2C47.465000%5D%2C%5B"
    "-122.317000%2C47.430000%5D%2C%5B-122.298000%2C47.430000%5D%2C%5B-122.298000%2C47.465000%5D%2C%5B-122.317000%2C"
    "47.465000%5D%5D%5D%7D%7D%2C%7B%22type%22%3A%22Feature%22%2C%22properties%22%3A%7B%22area%22%3A2%2C%22types%22%3A"
    "%22windsocks%22%7D%2C%22geometry%22%3A%7B%22type%22%3A%22Polygon%22%2C%22coordinates%22%3A%5B%5B%5B-122.310000%2C"
    "47.440000%5D%2C%5B-122.310000%2C47.435000%5D%2C%5B-122.305000%2C47.435000%5D%2C%5B-122.305000%2C47.440000%5D%2C"
    "%5B-122.310000%2C47.440000%5D%5D%5D%7D%7D%5D%7D";
#define ZW_KML_AREA(number, types, style, ring)                                                \
    "    <Placemark>\r\n      <name>Area " number "</name>\r\n      <description>" types       \
    "</description>\r\n"                                                                       \
    "      <styleUrl>#" style                                                                  \
    "</styleUrl>\r\n      <Polygon>\r\n        <altitudeMode>clampToGround</altitudeMode>\r\n" \
    "        <outerBoundaryIs><LinearRing><coordinates>" ring                                  \
    "</coordinates></LinearRing></outerBoundaryIs>\r\n"                                        \
    "      </Polygon>\r\n    </Placemark>\r\n"
constexpr char kTwoAreaKml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n  <Document>\r\n"
    "    <Style id=\"area\">\r\n      <LineStyle><color>ff0080ff</color><width>2</width></LineStyle>\r\n"
    "      <PolyStyle><color>800080ff</color></PolyStyle>\r\n    </Style>\r\n"
    "    <Style id=\"selected\">\r\n      <LineStyle><color>ff0000ff</color><width>2</width></LineStyle>\r\n"
    "      <PolyStyle><color>800000ff</color></PolyStyle>\r\n    </Style>\r\n" ZW_KML_AREA(
        "1", "buildings, library", "area",
        "-122.317000,47.465000 -122.317000,47.430000 -122.298000,47.430000 -122.298000,47.465000 -122.317000,47.465000")
        ZW_KML_AREA("2", "windsocks", "selected",
                    "-122.310000,47.440000 -122.310000,47.435000 -122.305000,47.435000 -122.305000,47.440000 "
                    "-122.310000,47.440000") "  </Document>\r\n</kml>\r\n";
#undef ZW_KML_AREA

// What the Map command says when it opens nothing.
constexpr char kNothingOnMap[] =
    "There is nothing to show on the map: Zonewright cannot read all four corners of any area.\r\n\r\n"
    "Nothing was opened.";
constexpr char kMapTooLong[] =
    "The areas are too many for the web map: their link would be longer than Windows can hand to a browser.\r\n\r\n"
    "Save them as a Google Earth KML file instead (File > Save, file type \"Google Earth KML (*.kml)\") and open "
    "that. Nothing was opened.";
