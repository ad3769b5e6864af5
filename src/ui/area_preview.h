#pragma once

#include <windows.h>

#include "model/area_shape.h"
#include "model/exclusion_area.h"
#include "win32/handles.h"

// The area drawn to scale in a picture `size` pixels square, in the corner diagram's language:
// the outline (orange, red for corners in the wrong order), a dot at the northwest and the
// southeast corner where they lie, the double arrow between them, and in the middle the wrong
// order and the size in words, in the font given.
UniqueBitmap AreaPicture(const AreaShape& shape, int size, HFONT font);

// What the picture between the corners' boxes shows: the area as its four texts place it once
// all four are read, else the corner diagram. Owns the bitmaps the picture shows.
class AreaPreview {
public:
    // The picture control, its size in pixels and the font for its words, at first and at every
    // change of DPI; shows what the coordinate texts give.
    void Place(HWND picture, HINSTANCE instance, int size, HFONT font, const ExclusionArea& area);
    // Shows what the coordinate texts give, at every change of one.
    void Show(const ExclusionArea& area);

private:
    HWND picture_ = nullptr;
    int size_ = 0;
    HFONT font_ = nullptr;
    UniqueBitmap diagram_;
    UniqueBitmap area_;  // the area last drawn, while it is shown
};
