#include "model/exclusion_document.h"

#include <optional>

#include "model/area_shape.h"

ExclusionArea& SelectedArea(ExclusionDocument& document) {
    return document.areas[document.selected];
}

const ExclusionArea& SelectedArea(const ExclusionDocument& document) {
    return document.areas[document.selected];
}

void AddArea(ExclusionDocument& document) {
    ExclusionArea added;
    added.objectTypes = SelectedArea(document).objectTypes;
    document.areas.push_back(added);
    document.selected = document.areas.size() - 1;
}

void RemoveSelectedArea(ExclusionDocument& document) {
    if (document.areas.size() < 2) return;
    document.areas.erase(document.areas.begin() + static_cast<std::ptrdiff_t>(document.selected));
    if (document.selected == document.areas.size()) --document.selected;
}

bool HoldsCoordinateText(const ExclusionArea& area) {
    return !area.latitudeMaximum.empty() || !area.longitudeMinimum.empty() || !area.latitudeMinimum.empty() ||
           !area.longitudeMaximum.empty();
}

// As the generator reads the boxes: "All objects" ticked stands for every type, and a grayed box
// writes nothing.
std::string ObjectTypesInShort(const ExclusionArea& area) {
    if (area.objectTypes[All] == CheckState::Ticked) return kObjectTypes[All].shortName;
    std::string types;
    for (int type = Beacon; type < ObjectTypeCount; ++type) {
        if (area.objectTypes[type] != CheckState::Ticked) continue;
        if (!types.empty()) types += ", ";
        types += kObjectTypes[type].shortName;
    }
    return types.empty() ? "no types" : types;
}

std::string AreaListLine(const ExclusionArea& area, size_t number) {
    const std::optional<AreaShape> shape = ReadAreaShape(area);
    return std::to_string(number) + "\t" + (shape ? SizeText(*shape) : "not placed") + "\t" + ObjectTypesInShort(area);
}
