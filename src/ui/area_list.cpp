#include "ui/area_list.h"

#include <string>

namespace {

// In dialog units: the number, then the size, then the object types.
const int kTabStops[] = {14, 58};

}  // namespace

void AreaList::Attach(HWND list, HWND removeButton) {
    list_ = list;
    remove_ = removeButton;
    SendMessageA(list_, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(kTabStops));
}

void AreaList::Show(const ExclusionDocument& document) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    SendMessageA(list_, LB_INITSTORAGE, document.areas.size(), document.areas.size() * 40);
    for (size_t i = 0; i < document.areas.size(); ++i) {
        const std::string line = AreaListLine(document.areas[i], i + 1);
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    Select(document.selected);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    // The last area cannot go: a document holds at least one.
    EnableWindow(remove_, document.areas.size() > 1);
}

void AreaList::ShowArea(const ExclusionDocument& document, size_t index) {
    const std::string line = AreaListLine(document.areas[index], index + 1);
    char shown[512] = {};
    const LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, index, 0);
    if (length >= 0 && static_cast<size_t>(length) < sizeof shown) {
        SendMessageA(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(shown));
        if (line == shown) return;
    }
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_DELETESTRING, index, 0);
    SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(line.c_str()));
    if (index == document.selected) Select(index);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    RECT item;
    if (SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        InvalidateRect(list_, &item, TRUE);
    }
}

void AreaList::Select(size_t index) {
    SendMessageA(list_, LB_SETCURSEL, index, 0);
}

size_t AreaList::Selected() const {
    const LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? 0 : static_cast<size_t>(selected);
}
