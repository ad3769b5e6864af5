#pragma once

#include <string>
#include <system_error>
#include <type_traits>
#include <utility>

// How every step that can fail reports it: with a std::error_code, the system's own or one of
// the program's below. A step that gives back a value gives a Result. A failure the user is to
// be told of carries its report, written where the step knows what failed, where and what it
// left.

enum class Failure {
    NoCompilerLocation = 1,  // the settings hold no compiler location
    UnreadableByShell,       // a path has characters the command shell cannot read
    CompileFailed,           // the compiler failed, or wrote no usable .bgl
    NotACheckState,          // a stored text is no state a check box takes
    NoAnswer,                // FSConnect could not be reached or gave no usable answer
    FileDialogFailed,        // the common file dialog could not be shown
    FileInUse,               // another program holds the file
    FileTooLarge,            // the file is larger than any file of its kind
    NameWouldDestroy,        // saving under that name would destroy another file
    NetworkFolder,           // the command shell cannot run a batch file in a network folder
    NotReadableXml,          // the XML parser could not read the file
    NoExclusionRectangle,    // an XML document holds no exclusion rectangle
    UnnamedFolder,           // the program cannot name its own folder
};

const std::error_category& FailureCategory();

inline std::error_code make_error_code(Failure failure) {
    return std::error_code(static_cast<int>(failure), FailureCategory());
}

namespace std {
template <>
struct is_error_code_enum<Failure> : true_type {};
}  // namespace std

template <class T>
struct Result {
    T value{};
    std::error_code error;  // the sign of failure; value is then not to be used
    std::string report;     // for the user, when a failure is to be told
};

// A failed step's result, with its report for the user.
template <class T>
Result<T> Failed(std::error_code error, std::string report) {
    Result<T> result;
    result.error = error;
    result.report = std::move(report);
    return result;
}

// The value of a step that gives back nothing but its success.
struct Done {};
