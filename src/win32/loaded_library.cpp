#include "win32/loaded_library.h"

#include "win32/system_error_win32.h"

LoadedLibrary::LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {
    if (!module_) error_ = LastError();
}

LoadedLibrary::~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
}
