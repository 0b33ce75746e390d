// Shows the background window (and a meter over it) on a real
// display for a few seconds, while the caller takes a screenshot, and checks the pixels
// that reached the screen.
// Usage: ui_showcase SCENARIO [READY_FILE]   (READY_FILE is created once the windows are painted)
//         SCENARIO: gradient tiled stretched panels logo meter
#include <cstdio>
#include <cstring>
#include <string>
#include <windows.h>
#include "installer/ui/background_window.h"
#include "installer/ui/meter_control.h"
#include "resources/resource_ids.h"
#include "tests/fakes/test_support.h"

namespace {
int g_failures = 0;
void Check(bool ok, const char* what) {
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++g_failures;
}

struct Screen {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC dc = CreateCompatibleDC(nullptr);
    uint32_t* bits = nullptr;
    HBITMAP bitmap = nullptr;
    BITMAPINFO info{};
    Screen() {
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(dc, bitmap);
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
    }
    COLORREF At(int x, int y) const {
        uint32_t p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

std::string WritePicture(const std::string& dir, const char* name, const COLORREF quad[4], int w, int h) {
    // A picture of four coloured quarters, 24 bits per pixel.
    int stride = (w * 3 + 3) / 4 * 4;
    std::string data(stride * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = quad[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
            char* p = &data[(h - 1 - y) * stride + 3 * x];
            p[0] = static_cast<char>(GetBValue(c));
            p[1] = static_cast<char>(GetGValue(c));
            p[2] = static_cast<char>(GetRValue(c));
        }
    BITMAPINFOHEADER info{sizeof info, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + data.size()), 0, 0, sizeof file + sizeof info};
    std::string path = dir + "\\" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f) {
        fwrite(&file, sizeof file, 1, f);
        fwrite(&info, sizeof info, 1, f);
        fwrite(data.data(), data.size(), 1, f);
        fclose(f);
    }
    return name;
}

const COLORREF kQuad[4] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200), RGB(230, 200, 40)};
const COLORREF kMeterText = RGB(10, 20, 30), kMeterBack = RGB(200, 210, 220);

LRESULT CALLBACK MeterParentProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        SetTextColor(reinterpret_cast<HDC>(wParam), kMeterText);
        SetBkColor(reinterpret_cast<HDC>(wParam), kMeterBack);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

void CheckGradientBands(const Screen& s, COLORREF top) {
    // The application-name line covers the rows from 6% to about 17% of the height: skip them.
    int x = s.width - 20, changes = 0, offBoundary = 0, skipFrom = s.height * 5 / 100, skipTo = s.height * 20 / 100;
    for (int y = 1; y < s.height; ++y)
        if ((y < skipFrom || y > skipTo) && s.At(x, y) != s.At(x, y - 1)) {
            ++changes;
            if (y % 4 && ++offBoundary <= 5) printf("     colour changes at row %d: %06lx -> %06lx\n", y, s.At(x, y - 1), s.At(x, y));
        }
    Check(s.At(x, 0) == top && s.At(x, 3) == top, "the first band has the top colour");
    Check(changes > 50, "the gradient changes colour down the screen");
    Check(offBoundary == 0, "colours change only every 4 pixels");
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string scenario = argv[1];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterBkgndClass(instance);
    RegisterMeterClass(instance);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    BackgroundLook look;
    look.app.caption = "Tablet driver";
    look.app.appName = "Zorvant@ Pen Tablet";
    look.runTitle = "Setup";
    look.pictureDir = temp;
    look.app.logoName = scenario == "logo" || scenario == "panels" ? "" : " ";
    if (scenario == "tiled") look.app.bkBmpName = WritePicture(temp, "showcase-tile.bmp", kQuad, 64, 48).c_str();
    if (scenario == "stretched") {
        look.app.bkBmpName = WritePicture(temp, "showcase-stretch.bmp", kQuad, 64, 48).c_str();
        look.app.bkStretch = 1;
    }
    if (scenario == "panels") {
        look.app.bkFrame = true;
        look.app.appNamePanel = true;
        look.app.logoPanel = 1;
        look.app.bkTop = ColourOf(60, 120, 200);
        look.app.bkBottom = ColourOf(0, 20, 60);
    }
    HWND wnd = CreateBackgroundWindow(instance, look);
    if (!wnd) return 3;
    ShowWindow(wnd, SW_SHOWNORMAL);
    UpdateWindow(wnd);

    HWND box = nullptr, meter = nullptr;
    RECT meterRect{312, 369, 712, 399};
    if (scenario == "meter") {
        WNDCLASSA wc{};
        wc.lpfnWndProc = MeterParentProc;
        wc.hInstance = instance;
        wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
        wc.lpszClassName = "ShowcaseMeterBox";
        RegisterClassA(&wc);
        box = CreateWindowExA(0, "ShowcaseMeterBox", "", WS_POPUP | WS_BORDER | WS_VISIBLE, 262, 334, 500, 100, wnd, nullptr, instance, nullptr);
        meter = CreateWindowExA(0, "ZKMETERCTL", "", WS_CHILD | WS_VISIBLE, 49, 34, 400, 30, box, nullptr, instance, nullptr);
        SendMessageA(meter, MTM_SETRANGE, 200, 0);
        SendMessageA(meter, MTM_SETPOS, 50, 0);
        GetWindowRect(meter, &meterRect);
    }
    PumpMessagesFor(1500);
    Screen s;
    if (argc > 2) {
        HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    }

    Rgb topRgb = RgbOf(look.app.bkTop);
    COLORREF top = RGB(topRgb.r, topRgb.g, topRgb.b);
    if (scenario == "gradient") CheckGradientBands(s, top);
    if (scenario == "tiled") {
        Check(s.At(0, 0) == kQuad[0] && s.At(40, 0) == kQuad[1] && s.At(0, 30) == kQuad[2], "picture at the top left");
        Check(s.At(64, 48) == kQuad[0] && s.At(64 * 15, 48 * 15) == kQuad[0], "tiled at its own size");
    }
    if (scenario == "stretched") {
        Check(s.At(s.width / 4, s.height / 8) == kQuad[0] && s.At(s.width * 3 / 4, s.height * 7 / 8) == kQuad[3],
              "stretched over the whole screen");
    }
    if (scenario == "panels") {
        BevelColours b = DeriveBevelColours(RgbOf(look.app.bkTop), RgbOf(look.app.bkBottom));
        auto c = [](Rgb v) { return RGB(v.r, v.g, v.b); };
        Check(s.At(0, 400) == c(b.light) && s.At(5, 400) == c(b.face) && s.At(8, 400) == c(b.shadow), "bevelled frame");
        Origin o = BackgroundOrigin(s.width, s.height);
        Check(s.At(o.x - 10, o.y + 5) == c(b.shadow) && s.At(o.x - 9, o.y + 5) == c(b.light), "panel behind the name");
        Check(s.At(o.x - 10, s.height - o.y - 5) == c(b.shadow), "panel behind the logo area");
    }
    if (scenario == "logo") {
        Origin o = BackgroundOrigin(s.width, s.height);
        int logoTop = s.height - o.y - 64;
        Check(s.At(o.x + 30, logoTop + 40) == RGB(70, 90, 160), "built-in logo where its mask is white");
        Check(s.At(o.x, logoTop) == s.At(o.x + 100, logoTop) || s.At(o.x, logoTop) != RGB(0, 0, 0),
              "background where the mask is black");
    }
    if (scenario == "meter") {
        int y = meterRect.top + 1, left = meterRect.left, fill = (meterRect.right - meterRect.left) / 4;
        Check(s.At(left, y) == kMeterText && s.At(left + fill - 1, y) == kMeterText, "left quarter filled");
        Check(s.At(left + fill, y) == kMeterBack && s.At(meterRect.right - 1, y) == kMeterBack, "rest unfilled");
        int textPixels = 0;
        for (int yy = meterRect.top; yy < meterRect.bottom; ++yy)
            for (int xx = left + fill; xx < meterRect.right; ++xx) textPixels += s.At(xx, yy) == kMeterText;
        Check(textPixels > 20, "percentage drawn in the text colour over the unfilled part");
        char text[16] = "";
        Check(SendMessageA(meter, MTM_GETPOS, 0, 0) == 50 && SendMessageA(meter, MTM_GETRANGE, 0, 0) == 200, "range 200, position 50");
        (void)text;
    }
    PumpMessagesFor(3000);
    if (box) DestroyWindow(box);
    DestroyWindow(wnd);
    return g_failures;
}
