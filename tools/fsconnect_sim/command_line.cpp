#include "command_line.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

// Short lines: a message box shows it, and wraps long ones badly.
const char* const kUsage =
    "usage: fsconnect_sim [--lat DEG] [--lon DEG]\n"
    "        [fault switch] [--slow MS] [--log FILE]\n"
    "\n"
    "Plays FSConnect in the flight simulator at the\n"
    "position given in decimal degrees (default 0 0).\n"
    "It answers status requests and reads of\n"
    "latitude (71) and longitude (72); reads of other\n"
    "variables get the code 3.\n"
    "Close its window to end it.\n"
    "\n"
    "Fault switches (at most one), for status requests\n"
    "and reads alike:\n"
    "--reply-zero: answer 0\n"
    "--code N: answer the code N (1 to 32767)\n"
    "--non-hex: a read reply that is not hexadecimal\n"
    "--out-of-range: answer 40000, beyond 16 bits\n"
    "--hang: never answer\n"
    "--bad-status: a status reply that cannot be split\n"
    "--slow MS: wait MS milliseconds before answering\n"
    "--status-only, --read-only: the fault and --slow\n"
    "        for that kind of request only\n"
    "--log FILE: append a line for each request\n";

namespace {

// Plain decimal notation only: strtod alone would also take "inf", "nan" and hexadecimal.
bool ParseDegrees(const std::string& text, double limit, double& degrees) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    size_t digits = 0, points = 0;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++digits;
        } else if (text[i] == '.' && points == 0) {
            ++points;
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    degrees = std::strtod(text.c_str(), nullptr);
    return std::fabs(degrees) <= limit;
}

bool ParseWhole(const std::string& text, int low, int high, int& number) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < low || value > high) return false;
    number = static_cast<int>(value);
    return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    SimOptions& o = parsed.options;
    bool latSeen = false, lonSeen = false, slowSeen = false, logSeen = false, scopeSeen = false;
    std::string faultSwitch;  // the one given, for the messages

    auto fail = [&parsed](const std::string& message) {
        parsed.error = message;
        return parsed;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--lat" || arg == "--lon" || arg == "--code" || arg == "--slow" || arg == "--log";
        if (takesValue && i + 1 == args.size()) return fail(arg + " needs a value");
        const std::string value = takesValue ? args[++i] : "";

        Fault fault = Fault::None;
        if (arg == "--help") {
            parsed.help = true;
        } else if (arg == "--lat" || arg == "--lon") {
            bool& seen = arg == "--lat" ? latSeen : lonSeen;
            if (seen) return fail(arg + " is given twice");
            seen = true;
            const bool lat = arg == "--lat";
            if (!ParseDegrees(value, lat ? 90 : 180, lat ? o.latitude : o.longitude)) {
                return fail(arg + " needs decimal degrees from " + (lat ? "-90 to 90" : "-180 to 180") + ", not \"" +
                            value + "\"");
            }
        } else if (arg == "--slow") {
            if (slowSeen) return fail("--slow is given twice");
            slowSeen = true;
            if (!ParseWhole(value, 0, 3600000, o.slowMs)) {
                return fail("--slow needs milliseconds from 0 to 3600000, not \"" + value + "\"");
            }
        } else if (arg == "--log") {
            if (logSeen) return fail("--log is given twice");
            logSeen = true;
            if (value.empty()) return fail("--log needs a file name");
            o.logPath = value;
        } else if (arg == "--status-only" || arg == "--read-only") {
            if (scopeSeen) return fail("only one of --status-only and --read-only may be given");
            scopeSeen = true;
            o.scope = arg == "--status-only" ? FaultScope::StatusOnly : FaultScope::ReadOnly;
        } else if (arg == "--code") {
            fault = Fault::Code;
            if (!ParseWhole(value, 1, 32767, o.code))
                return fail("--code needs a number from 1 to 32767, not \"" + value + "\"");
        } else if (arg == "--reply-zero") {
            fault = Fault::ReplyZero;
        } else if (arg == "--non-hex") {
            fault = Fault::NonHex;
        } else if (arg == "--out-of-range") {
            fault = Fault::OutOfRange;
        } else if (arg == "--hang") {
            fault = Fault::Hang;
        } else if (arg == "--bad-status") {
            fault = Fault::BadStatus;
        } else {
            return fail("unknown argument \"" + arg + "\"");
        }
        if (fault != Fault::None) {
            if (o.fault != Fault::None)
                return fail("only one fault switch may be given: " + faultSwitch + " and " + arg);
            o.fault = fault;
            faultSwitch = arg;
        }
    }
    if (o.scope != FaultScope::Both) {
        const char* scopeSwitch = o.scope == FaultScope::StatusOnly ? "--status-only" : "--read-only";
        if (o.fault == Fault::None && !slowSeen)
            return fail(std::string(scopeSwitch) + " needs a fault switch or --slow");
        if ((o.fault == Fault::NonHex && o.scope == FaultScope::StatusOnly) ||
            (o.fault == Fault::BadStatus && o.scope == FaultScope::ReadOnly)) {
            return fail(faultSwitch + " and " + scopeSwitch + " leave nothing to answer wrongly");
        }
    }
    return parsed;
}
