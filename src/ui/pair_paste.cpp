#include "ui/pair_paste.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace {

const char* const kProperty = "Zonewright.PairPaste";

// More than any pair takes: a longer text is read no further, and no pair.
const size_t kTextRead = 1024;

struct PairPaste {
    WNDPROC original;
    std::function<void(const CoordinatePair&)> fillCorner;
};

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

class LockedMemory {
public:
    explicit LockedMemory(HANDLE memory) : memory_(memory), bytes_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedMemory() {
        if (bytes_) GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    const char* text() const { return static_cast<const char*>(bytes_); }
    size_t size() const { return bytes_ ? GlobalSize(memory_) : 0; }

private:
    HANDLE memory_;
    void* bytes_;
};

// The clipboard's text, up to kTextRead characters; "" when it holds none, or another program
// has it open.
std::string ClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard) return "";
    const LockedMemory text(GetClipboardData(CF_TEXT));
    if (!text.text()) return "";
    const size_t size = std::min(text.size(), kTextRead);
    const void* end = std::memchr(text.text(), '\0', size);
    return std::string(text.text(), end ? static_cast<const char*>(end) - text.text() : size);
}

LRESULT CALLBACK PastingBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* paste = static_cast<PairPaste*>(GetPropA(box, kProperty));
    const WNDPROC original = paste->original;
    // Shift+Insert pastes too; Wine's edit control does it without a WM_PASTE of its own.
    if (message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
        SendMessageA(box, WM_PASTE, 0, 0);
        return 0;
    }
    if (message == WM_PASTE) {
        if (const std::optional<CoordinatePair> pair = ReadCoordinatePair(ClipboardText(box))) {
            paste->fillCorner(*pair);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        const std::unique_ptr<PairPaste> ended(static_cast<PairPaste*>(RemovePropA(box, kProperty)));
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return CallWindowProcA(original, box, message, wParam, lParam);
}

}  // namespace

// Subclassed through the window procedure, as the check boxes are, with the procedure and the
// callback in a window property: the box's user data stays free.
bool MakePastedPairsFillCorner(HWND box, std::function<void(const CoordinatePair&)> fillCorner) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_WNDPROC));
    if (!original || GetPropA(box, kProperty)) return false;
    auto paste = std::make_unique<PairPaste>(PairPaste{original, std::move(fillCorner)});
    if (!SetPropA(box, kProperty, paste.get())) return false;
    if (!SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PastingBox))) {
        RemovePropA(box, kProperty);
        return false;
    }
    paste.release();
    return true;
}
