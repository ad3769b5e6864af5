#pragma once

#include <windows.h>

// Owns one handle and closes it once, the way its kind is closed. Not copyable; moving hands the
// handle over and leaves the source empty.
template <class Handle, class Kind>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(Kind::Valid(handle) ? handle : nullptr) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_) Kind::Close(handle_);
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

// GDI objects: fonts, bitmaps, brushes.
struct GdiObjectKind {
    static bool Valid(HGDIOBJ object) { return object != nullptr; }
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};

// Kernel objects: processes, threads, files, pipes. Some functions fail with
// INVALID_HANDLE_VALUE rather than null; that is no handle either.
struct KernelObjectKind {
    static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

// Device contexts made with CreateCompatibleDC.
struct MemoryDcKind {
    static bool Valid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};

using UniqueFont = Owned<HFONT, GdiObjectKind>;
using UniqueBitmap = Owned<HBITMAP, GdiObjectKind>;
using UniqueHandle = Owned<HANDLE, KernelObjectKind>;
using UniqueMemoryDc = Owned<HDC, MemoryDcKind>;
