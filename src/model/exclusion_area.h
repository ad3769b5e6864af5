#pragma once

#include <array>
#include <string>

// Which of the two a coordinate text gives.
enum class Coordinate { Latitude, Longitude };

// The state of a three-state check box, numbered as stored in project files.
enum class CheckState { Clear = 0, Ticked = 1, Grayed = 2 };

// The object types, in the order the generator visits them and the project file stores them.
// Each is one check box of the main window.
enum ObjectType { All, Beacon, Effects, GenBuild, Library, TaxiSigns, Triggers, Windsocks, ObjectTypeCount };

struct ObjectTypeInfo {
    const char* attribute;   // XML attribute of the exclusion rectangle
    const char* projectKey;  // key in the project file's "exclusion" section
    const char* shortName;   // in the area list and the map exports
};

extern const std::array<ObjectTypeInfo, ObjectTypeCount> kObjectTypes;

// Everything the main window holds about the exclusion area; the coordinates are free text.
struct ExclusionArea {
    std::string latitudeMaximum;   // northwest corner
    std::string longitudeMinimum;  // northwest corner
    std::string latitudeMinimum;   // southeast corner
    std::string longitudeMaximum;  // southeast corner
    std::array<CheckState, ObjectTypeCount> objectTypes{};
};
