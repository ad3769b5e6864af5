#pragma once

#include <string>
#include <vector>

#include "model/exclusion_area.h"

// Each area in one line: its four texts in the order of the window's boxes (northwest latitude
// and longitude, southeast latitude and longitude), then its object types in table order, x ticked
// and . not: "47.5|-122.5|47.25|-122.25|.x..x...".
inline std::vector<std::string> AreaTexts(const std::vector<ExclusionArea>& areas) {
    std::vector<std::string> texts;
    for (const ExclusionArea& a : areas) {
        texts.push_back(a.latitudeMaximum + "|" + a.longitudeMinimum + "|" + a.latitudeMinimum + "|" +
                        a.longitudeMaximum + "|");
        for (CheckState state : a.objectTypes) texts.back() += state == CheckState::Ticked ? 'x' : '.';
    }
    return texts;
}
