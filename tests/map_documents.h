#pragma once

// The documents of the map tests, native and under Wine.

#include "model/exclusion_document.h"

inline ExclusionArea Area(const char* latitudeMaximum, const char* longitudeMinimum, const char* latitudeMinimum,
                          const char* longitudeMaximum, ObjectType type) {
    ExclusionArea area{latitudeMaximum, longitudeMinimum, latitudeMinimum, longitudeMaximum, {}};
    area.objectTypes[type] = CheckState::Ticked;
    return area;
}

// The sample document of the golden texts' map exports, its second area selected.
inline ExclusionDocument TwoAreas() {
    ExclusionDocument document{{Area("47.4650", "-122.3170", "47.4300", "-122.2980", Library),
                                Area("N47 26 24", "W122 18 36", "47 26.1", "122 18.3W", Windsocks)},
                               1};
    document.areas[0].objectTypes[GenBuild] = CheckState::Ticked;
    return document;
}
