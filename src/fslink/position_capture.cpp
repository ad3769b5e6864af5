#include "fslink/position_capture.h"

#include <cmath>

const char* const kCaptureFailedMessage = "Error communicating with FSConnect!";

std::optional<std::string> CapturePosition(FscClient& client, Coordinate coordinate) {
    std::string firstText, remainingText;
    int32_t firstNumber = 0, secondNumber = 0;
    if (client.fscGetStatus(firstText, remainingText, firstNumber, secondNumber) != 0) return std::nullopt;
    double degrees = 0;
    const int16_t result = coordinate == Coordinate::Latitude ? client.fscGetLatitude(degrees)
                                                              : client.fscGetLongitude(degrees);
    // A value that is no number was not delivered as a position.
    if (result != 0 || !std::isfinite(degrees)) return std::nullopt;
    return FormatDegrees(degrees);
}
