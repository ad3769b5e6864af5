#pragma once

#include <windows.h>

#include <functional>

#include "model/coordinate_reader.h"

// Makes a paste into the coordinate box of a text that reads as a latitude and a longitude
// together (ReadCoordinatePair) hand the two texts to `fillCorner` instead of going into the box;
// any other text is pasted as the box pastes it. A paste is WM_PASTE, which Ctrl+V and the box's
// own menu send. Once for each box; false when the box cannot be subclassed.
bool MakePastedPairsFillCorner(HWND box, std::function<void(const CoordinatePair&)> fillCorner);
