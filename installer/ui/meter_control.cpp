#include "installer/ui/meter_control.h"

#include "installer/core/handles.h"
#include "installer/ui/meter_logic.h"

namespace {
// The window's extra bytes: the range at byte 0, the position at byte 2, 16 bits each.
constexpr int kRangeOffset = 0;
constexpr int kPositionOffset = 2;

uint16_t StoredWord(HWND wnd, int offset) { return static_cast<uint16_t>(GetWindowWord(wnd, offset)); }
void StoreWord(HWND wnd, int offset, uint16_t value) { SetWindowWord(wnd, offset, static_cast<WORD>(value)); }

void RepaintNow(HWND wnd) {
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
}

bool ShowsDifferently(HWND wnd, uint16_t range, uint16_t before, uint16_t after) {
    RECT client{};
    GetClientRect(wnd, &client);
    MeterPaint was = MeterPaintFor(range, before, client.right, client.bottom, 0);
    MeterPaint is = MeterPaintFor(range, after, client.right, client.bottom, 0);
    return was.fillWidth != is.fillWidth || was.text != is.text;
}

int HeightOfX(HDC dc) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "X", 1, &size);
    return size.cy;
}

void SwapColours(HDC dc) {
    COLORREF text = GetTextColor(dc);
    SetTextColor(dc, GetBkColor(dc));
    SetBkColor(dc, text);
}

void DrawPart(HDC dc, const MeterPaint& paint, const RECT& part, int height) {
    HRGN clip = CreateRectRgnIndirect(&part);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    MeterPaint placed = paint;
    placed.textY = (height - HeightOfX(dc)) / 2;
    ExtTextOutA(dc, placed.textX, placed.textY, ETO_OPAQUE | ETO_CLIPPED, &part, placed.text.c_str(),
                static_cast<UINT>(placed.text.size()), nullptr);
}

LRESULT OnPaint(HWND wnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    if (dc) PaintMeter(wnd, dc);
    EndPaint(wnd, &ps);
    return 0;
}
}  // namespace

void PaintMeter(HWND wnd, HDC dc) {
    auto range = static_cast<uint16_t>(SendMessageA(wnd, MTM_GETRANGE, 0, 0));
    auto position = static_cast<uint16_t>(SendMessageA(wnd, MTM_GETPOS, 0, 0));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;

    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(wnd), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd)));
    HGDIOBJ oldBrush = brush ? SelectObject(dc, brush) : nullptr;
    SwapColours(dc);

    RECT client{};
    GetClientRect(wnd, &client);
    MeterPaint paint = MeterPaintFor(range, position, client.right, client.bottom, 0);
    SetTextAlign(dc, TA_CENTER);

    int saved = SaveDC(dc);
    RECT filled{0, 0, paint.fillWidth, client.bottom};
    DrawPart(dc, paint, filled, client.bottom);
    RestoreDC(dc, saved);

    RECT rest{paint.fillWidth, 0, client.right, client.bottom};
    SwapColours(dc);
    DrawPart(dc, paint, rest, client.bottom);
    SelectClipRgn(dc, nullptr);

    if (oldBrush) SelectObject(dc, oldBrush);
    if (oldFont) SelectObject(dc, oldFont);
}

extern "C" LRESULT CALLBACK MeterWndFn(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case MTM_SETRANGE:
        StoreWord(wnd, kRangeOffset, MeterRangeFor(wParam));
        RepaintNow(wnd);
        return 0;
    case MTM_GETRANGE: return StoredWord(wnd, kRangeOffset);
    case MTM_SETPOS: {
        // Thousands of files move the meter by less than a pixel each: only a change of the
        // filled width or of the percentage is painted.
        uint16_t range = StoredWord(wnd, kRangeOffset);
        uint16_t before = StoredWord(wnd, kPositionOffset);
        uint16_t after = MeterPositionFor(wParam, range);
        StoreWord(wnd, kPositionOffset, after);
        if (ShowsDifferently(wnd, range, before, after)) RepaintNow(wnd);
        return 0;
    }
    case MTM_GETPOS: return StoredWord(wnd, kPositionOffset);
    case WM_CREATE:
        SendMessageA(wnd, MTM_SETRANGE, 100, 0);
        SendMessageA(wnd, MTM_SETPOS, 50, 0);
        return 0;
    case WM_PAINT: return OnPaint(wnd);
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return DefWindowProcA(wnd, message, wParam, lParam);
    }
}

bool RegisterMeterClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kMeterClassName, &existing) || GetClassInfoA(nullptr, kMeterClassName, &existing)) return true;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = MeterWndFn;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kMeterClassName;
    return RegisterClassA(&wc) != 0;
}

void UnregisterMeterClass(HINSTANCE instance) { UnregisterClassA(kMeterClassName, instance); }
