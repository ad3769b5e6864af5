#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "model/area_map.h"
#include "model/area_shape.h"
#include "model/exclusion_document.h"
#include "win32/handles.h"

// The document's areas drawn to scale in a picture `size` pixels square, as MapAreas places
// them (into `areas`): the other areas in grey outline, and the selected one in the corner
// diagram's language, the outline (orange, red for corners in the wrong order), a dot at the
// northwest and the southeast corner where they lie, the double arrow between them. The wrong
// order and the size in words (or "not placed" while its texts cannot be read) stand in the middle
// over one area, and under the areas when there are several, in the font given. No picture when
// no area can be read.
UniqueBitmap AreaPicture(const ExclusionDocument& document, int size, HFONT font, std::vector<MappedArea>& areas);

// What the picture between the corners' boxes shows: the document's areas once any of them can
// be read, else the corner diagram. Owns the bitmaps the picture shows.
class AreaPreview {
public:
    // The picture control, its size in pixels and the font for its words, at first and at every
    // change of DPI; shows the document.
    void Place(HWND picture, HINSTANCE instance, int size, HFONT font, const ExclusionDocument& document);
    // Shows the document, at every change of it.
    void Show(const ExclusionDocument& document);
    // What a click inside an area drawn in the picture does with it; set once, after Place.
    void WhenClicked(std::function<void(size_t area)> select);

private:
    static LRESULT CALLBACK PictureProcedure(HWND picture, UINT message, WPARAM wParam, LPARAM lParam);

    HWND picture_ = nullptr;
    int size_ = 0;
    HFONT font_ = nullptr;
    UniqueBitmap diagram_;
    UniqueBitmap drawn_;  // the areas last drawn, while they are shown
    std::vector<MappedArea> areas_;
    std::function<void(size_t)> select_;
    WNDPROC pictureProcedure_ = nullptr;  // the static control's own
};
