#pragma once
// Owners for the launcher's own kinds of handle, beside the shared ones.
#include "installer/core/handles.h"

struct GlobalMemoryTraits { static HGLOBAL Invalid() { return nullptr; } static void Close(HGLOBAL h) { GlobalFree(h); } };
struct WindowTraits { static HWND Invalid() { return nullptr; } static void Close(HWND h) { DestroyWindow(h); } };

using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using OwnedWindow = UniqueHandle<HWND, WindowTraits>;
