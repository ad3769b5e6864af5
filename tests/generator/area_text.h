#pragma once

#include <string>
#include <vector>

#include "model/exclusion_area.h"

// An area in one line: its four texts in the order of the window's boxes (northwest latitude and
// longitude, southeast latitude and longitude) and its object types in table order, x ticked,
// . not: "47.5|-122.5|47.25|-122.25|.x..x...".
inline std::string AreaText(const ExclusionArea& area) {
    std::string types;
    for (CheckState state : area.objectTypes) types += state == CheckState::Ticked ? 'x' : '.';
    return area.latitudeMaximum + "|" + area.longitudeMinimum + "|" + area.latitudeMinimum + "|" +
           area.longitudeMaximum + "|" + types;
}

inline std::vector<std::string> AreaTexts(const std::vector<ExclusionArea>& areas) {
    std::vector<std::string> texts;
    for (const ExclusionArea& area : areas) texts.push_back(AreaText(area));
    return texts;
}
