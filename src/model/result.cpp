#include "model/result.h"

namespace {

class Category : public std::error_category {
public:
    const char* name() const noexcept override { return "zonewright"; }
    std::string message(int value) const override {
        switch (static_cast<Failure>(value)) {
            case Failure::NoCompilerLocation: return "No compiler location is set.";
            case Failure::UnreadableByShell: return "The command shell cannot read some of the path's characters.";
            case Failure::NoBglMade: return "The compiler made no .bgl file.";
            case Failure::NotACheckState: return "The text is no state of a check box.";
            case Failure::NoAnswer: return "FSConnect gave no usable answer.";
            case Failure::FileDialogFailed: return "The file dialog could not be shown.";
        }
        return "Unknown failure.";
    }
};

const Category kCategory;

}  // namespace

const std::error_category& FailureCategory() {
    return kCategory;
}
