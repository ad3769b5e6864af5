#include "ui/corner_picture.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "ui/resource.h"

namespace {

const int kDesignSize = 100;

enum Ink { Face, Orange, Navy };

// The shapes, in pixels of the picture's size; those of the resource bitmap scaled.
struct Geometry {
    explicit Geometry(double scale)
        : a(6 * scale), b(94 * scale), thickness(2 * scale), dotRadius(4.5 * scale), arrowStart(7 * scale) {
        const double root2 = std::sqrt(2.0);
        const double arrowEnd = 93 * scale, gap = 5 * scale;
        tipNear = gap * root2;
        tipFar = (arrowEnd - arrowStart - gap) * root2;
        halfWidth = 1.0 * scale;
        headLength = 13.5 * scale / root2;
    }

    // The ink at a point: the dots and the arrow over the outline.
    Ink At(double x, double y) const {
        const double firstDot = a + thickness / 2, lastDot = b - thickness / 2;
        for (double c : {firstDot, lastDot}) {
            if ((x - c) * (x - c) + (y - c) * (y - c) <= dotRadius * dotRadius) return Navy;
        }
        if (OnArrow(x, y)) return Navy;
        const bool inSquare = a <= x && x <= b && a <= y && y <= b;
        const bool inHole = a + thickness < x && x < b - thickness && a + thickness < y && y < b - thickness;
        return inSquare && !inHole ? Orange : Face;
    }

    // Along the diagonal: a shaft of the half width, and right-angled heads at both tips.
    bool OnArrow(double x, double y) const {
        const double root2 = std::sqrt(2.0);
        const double along = (x - arrowStart + y - arrowStart) / root2;
        const double across = std::fabs(x - y) / root2;
        if (along < tipNear || along > tipFar) return false;
        const double fromTip = std::fmin(along - tipNear, tipFar - along);
        return across <= (fromTip <= headLength ? fromTip : halfWidth);
    }

    double a, b, thickness, dotRadius, arrowStart, tipNear = 0, tipFar = 0, halfWidth = 0, headLength = 0;
};

// Each pixel takes the ink that covers at least half of it (navy first), from 4 x 4 samples.
UniqueBitmap Drawn(int size) {
    void* bits = nullptr;
    UniqueBitmap bitmap = PictureBitmap(size, &bits);
    if (!bitmap) return bitmap;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t colours[] = {static_cast<uint32_t>(GetRValue(face)) << 16 | GetGValue(face) << 8 | GetBValue(face),
                                0xFF8000, 0x000080};
    const Geometry shape(static_cast<double>(size) / kDesignSize);
    const int n = 4;
    uint32_t* pixel = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int count[3] = {0, 0, 0};
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) ++count[shape.At(x + (i + 0.5) / n, y + (j + 0.5) / n)];
            }
            const Ink ink = 2 * count[Navy] >= n * n ? Navy : 2 * count[Orange] >= n * n ? Orange : Face;
            *pixel++ = colours[ink];
        }
    }
    return bitmap;
}

}  // namespace

UniqueBitmap PictureBitmap(int size, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

UniqueBitmap CornerPicture(HINSTANCE instance, int size) {
    if (size != kDesignSize) return Drawn(size);
    // LR_LOADMAP3DCOLORS turns the picture's light grey into the window's face colour.
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_CORNER), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
}
