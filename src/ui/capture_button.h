#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "model/exclusion_area.h"
#include "ui/message_box.h"

// What an FSC button does: asks FSConnect for the aircraft's latitude or longitude and gives it as
// the text for its box; nothing once a failure was told, and the box then keeps its text.
std::optional<std::string> CapturedPosition(HWND owner, Coordinate coordinate, const MessageSink& showMessage);
