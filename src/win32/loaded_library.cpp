#include "win32/loaded_library.h"

#include "win32/system_error_win32.h"

LoadedLibrary::~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
}

FARPROC LoadedLibrary::Find(const char* name) {
    if (!module_ && !error_) {
        module_ = LoadLibraryA(name_);
        if (!module_) error_ = LastError();
    }
    FARPROC found = module_ ? GetProcAddress(module_, name) : nullptr;
    if (!found && !error_) error_ = LastError();
    return found;
}
