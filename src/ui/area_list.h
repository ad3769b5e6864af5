#pragma once

#include <windows.h>

#include <cstddef>

#include "model/exclusion_document.h"

// The list of the document's areas beside the source view: one line for each, in document
// order, with the selected area's line selected. The lines are the model's (AreaListLine); the
// list only shows them.
class AreaList {
public:
    void Attach(HWND list, HWND removeButton);

    // Every line anew, for a document that changed as a whole.
    void Show(const ExclusionDocument& document);
    // The line of one area, after an edit of it.
    void ShowArea(const ExclusionDocument& document, size_t index);
    void Select(size_t index);
    // The line the user selected.
    size_t Selected() const;

private:
    HWND list_ = nullptr;
    HWND remove_ = nullptr;
};
