#pragma once
// Resource strings in the start-up language and the message box every user message goes through.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "resources/resource_ids.h"   // the ids callers pass

int LoadResString(StrBuf& target, HINSTANCE instance, UINT id, int maximum = 256);
StrBuf ResString(UINT id);   // from the program's own instance
// Loads string id, formats it with wvsprintf into 512 bytes (cut, never overflowing)
// and shows it. A null owner means the active window.
int ShowMessage(HWND owner, UINT id, const char* caption, UINT style, ...);
// The formatting step alone, for tests and for texts shown elsewhere.
StrBuf FormatMessageText(const char* pattern, va_list args);
StrBuf WindowText(HWND wnd);
StrBuf DialogItemText(HWND dialog, int item);
