#pragma once
// Functions of the system's libraries that the oldest supported systems lack (the Windows 95
// family, NT 4.0), looked up by name where they are used: imported the usual way, a single
// missing one keeps the program from starting at all.
#include <windows.h>

// Null when the library is not loaded or has no such function.
template <typename Fn>
Fn SystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
