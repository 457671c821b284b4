#pragma once
#include <windows.h>

// An entry of a library loaded at run time, typed; null when the library or
// the entry is missing.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (!library)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
