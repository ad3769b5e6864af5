#pragma once

#include <windows.h>

#include <system_error>

// A library loaded when one of its functions is first asked for, and kept for the rest of the
// run: for the libraries that only a dialog or a command needs, which, imported, would load at
// every start. Making the object loads nothing.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : name_(name) {}
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // The function of that name, as the given pointer type; nullptr when the library or the
    // function is missing, and error() then says why.
    template <class Function>
    Function Get(const char* name) {
        const FARPROC found = Find(name);
        // Through void(*)(), which any function pointer may be cast to and back.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    }

    const std::error_code& error() const { return error_; }

private:
    FARPROC Find(const char* name);

    const char* name_;
    HMODULE module_ = nullptr;
    std::error_code error_;
};
