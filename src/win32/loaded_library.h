#pragma once

#include <windows.h>

#include <system_error>

// A library loaded when it is first needed and kept for the rest of the run: for the libraries
// that only a dialog or a command needs, which, imported, would load at every start.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // The function of that name, as the given pointer type; nullptr when the library or the
    // function is missing, and error() then says why.
    template <class Function>
    Function Get(const char* name) {
        FARPROC found = module_ ? GetProcAddress(module_, name) : nullptr;
        if (!found && !error_) error_ = std::error_code(static_cast<int>(GetLastError()), std::system_category());
        // Through void(*)(), which any function pointer may be cast to and back.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    }

    const std::error_code& error() const { return error_; }

private:
    HMODULE module_;
    std::error_code error_;
};
