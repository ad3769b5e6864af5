#pragma once

#include <string>

#include "fslink/fsconnect_client.h"
#include "model/exclusion_area.h"
#include "model/result.h"

extern const char* const kCaptureFailedMessage;

// What a capture button writes into its box: the current latitude or longitude as decimal
// degrees, asked of FSConnect after a status request; Failure::NoAnswer when any exchange
// failed (the box then keeps its text, and the user is told kCaptureFailedMessage).
Result<std::string> CapturePosition(FscClient& client, Coordinate coordinate);
