#pragma once
// The launcher's message loop, with the queue reader as a seam so that a failing
// read can be tried.
#include <windows.h>

using MessageReader = BOOL(WINAPI*)(LPMSG message, HWND window, UINT first, UINT last);

// Dispatches messages until WM_QUIT and returns its exit code; 0 when the queue cannot
// be read, since then no WM_QUIT and no exit code ever came.
int RunMessageLoop(MessageReader read = GetMessageA);
