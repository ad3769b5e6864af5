#pragma once

#include <string>
#include <vector>

// The simulator's command line, without Win32, so that it is tested natively.

// How a request in scope is answered wrongly. At most one is given.
enum class Fault {
    None,
    ReplyZero,   // --reply-zero: the result 0
    Code,        // --code N: the positive status code N
    NonHex,      // --non-hex: a read reply with a pair that is not hexadecimal (reads only)
    OutOfRange,  // --out-of-range: a result outside 16 bits
    Hang,        // --hang: no answer at all
    BadStatus,   // --bad-status: a status reply whose numbers are not hexadecimal (status only)
};

// Which requests the fault and --slow concern.
enum class FaultScope { Both, StatusOnly, ReadOnly };

struct SimOptions {
    double latitude = 0;   // decimal degrees, -90..90
    double longitude = 0;  // decimal degrees, -180..180
    Fault fault = Fault::None;
    int code = 0;    // for Fault::Code: 1..32767
    int slowMs = 0;  // wait before answering
    FaultScope scope = FaultScope::Both;
    std::string logPath;  // empty: no log
};

struct ParsedCommandLine {
    SimOptions options;
    bool help = false;  // --help: show the usage and end
    std::string error;  // empty when the arguments were good
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;
