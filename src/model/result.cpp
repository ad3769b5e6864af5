#include "model/result.h"

namespace {

class Category : public std::error_category {
public:
    const char* name() const noexcept override { return "zonewright"; }
    std::string message(int value) const override {
        switch (static_cast<Failure>(value)) {
            case Failure::NoCompilerLocation: return "No compiler location is set.";
            case Failure::UnreadableByShell: return "The command shell cannot read some of the path's characters.";
            case Failure::CompileFailed: return "The compiler failed or made no usable .bgl file.";
            case Failure::NotACheckState: return "The text is no state of a check box.";
            case Failure::NoAnswer: return "FSConnect gave no usable answer.";
            case Failure::FileDialogFailed: return "The file dialog could not be shown.";
            case Failure::FileInUse: return "The file is in use by another program.";
            case Failure::FileTooLarge: return "The file is too large for a file of its kind.";
            case Failure::NameWouldDestroy: return "Saving under that name would destroy another file.";
            case Failure::NetworkFolder: return "The command shell cannot run a batch file in a network folder.";
            case Failure::NotReadableXml: return "The file is no XML that the parser can read.";
            case Failure::NoExclusionRectangle: return "The XML document holds no exclusion rectangle.";
            case Failure::UnnamedFolder: return "The program cannot name its own folder.";
        }
        return "Unknown failure.";
    }
};

const Category kCategory;

}  // namespace

const std::error_category& FailureCategory() {
    return kCategory;
}
