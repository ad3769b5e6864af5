#pragma once

#include <windows.h>

#include "win32/handles.h"

// The picture between the corners' boxes: an orange square outline on the window's face colour,
// with a navy double-headed arrow along the diagonal between a navy dot at each corner, `size`
// pixels square. At 100 pixels it is the resource bitmap itself; at any other size it is drawn
// from the same geometry, so that it stays crisp.
UniqueBitmap CornerPicture(HINSTANCE instance, int size);

// A bitmap `size` pixels square to draw a picture into: 32 bits a pixel (0x00RRGGBB, no alpha, so
// a picture control shows it as it is), top row first, its pixels at `bits`.
UniqueBitmap PictureBitmap(int size, void** bits);
