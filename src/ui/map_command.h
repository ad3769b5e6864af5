#pragma once

#include <windows.h>

#include "model/exclusion_document.h"
#include "ui/message_box.h"

// The Map command: the document's areas drawn on geojson.io in the user's default browser. Before
// the map opens, it tells which areas are left out of it. It opens nothing, and says why, when no
// area can be drawn or the link would be too long for the browser, and it tells a browser that
// could not be started, with the system's reason.
void ShowOnMap(HWND owner, const ExclusionDocument& document, const MessageSink& showMessage);
