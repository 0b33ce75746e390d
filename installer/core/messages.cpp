#include "installer/core/messages.h"

#include <cstdarg>
#include <cstring>
#include "installer/core/code_page.h"
#include "installer/core/format_text.h"
#include "installer/core/process_facts.h"

int LoadResString(StrBuf& target, HINSTANCE instance, UINT id, int maximum) {
    if (maximum < 1) maximum = 1;
    char* buffer = target.GetBuffer(maximum);
    if (!buffer) return 0;
    int length = LoadStringA(instance, id, buffer, maximum + 1);
    if (length > 0) length = WithoutSplitChar(buffer, length);
    target.ReleaseBuffer(length > 0 ? length : 0);
    return length;
}

StrBuf ResString(UINT id) {
    StrBuf text;
    LoadResString(text, ProgramInstance(), id);
    return text;
}

StrBuf FormatMessageText(const char* pattern, va_list args) {
    // A long result is cut at 511 bytes, never overflows.
    char buffer[512];
    FormatText(buffer, sizeof buffer, pattern, args);
    return StrBuf(buffer, WithoutSplitChar(buffer, static_cast<int>(strlen(buffer))));
}

int ShowMessage(HWND owner, UINT id, const char* caption, UINT style, ...) {
    StrBuf pattern = ResString(id);
    va_list args;
    va_start(args, style);
    StrBuf text = FormatMessageText(pattern, args);
    va_end(args);
    if (!owner) owner = GetActiveWindow();
    return MessageBoxA(owner, text, caption, style);
}

StrBuf WindowText(HWND wnd) {
    StrBuf text;
    if (!wnd || !IsWindow(wnd)) return text;
    int length = GetWindowTextLengthA(wnd);
    if (length <= 0) return text;
    char* buffer = text.GetBuffer(length + 1);
    if (!buffer) return text;
    GetWindowTextA(wnd, buffer, length + 2);
    text.ReleaseBuffer();
    return text;
}

StrBuf DialogItemText(HWND dialog, int item) { return WindowText(GetDlgItem(dialog, item)); }
