#include "fslink/position_capture.h"

#include <cmath>

const char* const kCaptureFailedMessage = "Error communicating with FSConnect!";

Result<std::string> CapturePosition(FscClient& client, Coordinate coordinate) {
    Result<std::string> capture;
    std::string firstText, remainingText;
    int32_t firstNumber = 0, secondNumber = 0;
    double degrees = 0;
    if (client.fscGetStatus(firstText, remainingText, firstNumber, secondNumber) != 0 ||
        (coordinate == Coordinate::Latitude ? client.fscGetLatitude(degrees) : client.fscGetLongitude(degrees)) != 0 ||
        !std::isfinite(degrees)) {  // a value that is no number was not delivered as a position
        capture.error = Failure::NoAnswer;
        return capture;
    }
    capture.value = FormatDegrees(degrees);
    return capture;
}
