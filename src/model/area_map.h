#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/exclusion_document.h"

// Where the document's areas stand in the preview, a picture `width` by `height` pixels: every
// area whose four texts are read, at one scale, north up, all of them together as large as 86 in
// 100 of the picture's width or height leave room for, centred. Each area is drawn as typed, the area the compiler receives: one whose
// northwest point lies east of its southeast point reaches eastward across the 180th meridian.
struct MappedPoint {
    double x = 0, y = 0;  // pixels, x east and y south from the picture's top left
};

struct MappedArea {
    size_t index = 0;  // in the document
    double left = 0, top = 0, right = 0, bottom = 0;
    MappedPoint northwest, southeast;  // where the corners lie, the wrong way round included
};

std::vector<MappedArea> MapAreas(const ExclusionDocument& document, double width, double height);

// The area a point of the picture lies in, the smallest where several hold it.
std::optional<size_t> AreaAt(const std::vector<MappedArea>& areas, MappedPoint point);
