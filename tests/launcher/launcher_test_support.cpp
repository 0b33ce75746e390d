#include "tests/launcher/launcher_test_support.h"

#include "launcher/menu_item.h"

#include <shellapi.h>

bool WriteBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel) {
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + rowBytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;   // 96 dots per inch
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row[x * 3] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    return WriteBytes(path, bytes);
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = static_cast<HBITMAP>(SelectObject(dc_, bitmap_));
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Canvas::Count(COLORREF colour, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom && y < height_; ++y)
        for (int x = left; x < right && x < width_; ++x)
            if (Pixel(x, y) == colour) ++n;
    return n;
}

bool Canvas::SaveBitmap(const std::string& path) const {
    return WriteBitmapFile(path, width_, height_, [this](int x, int y) { return Pixel(x, y); });
}

namespace {
std::vector<ShellCall> g_calls;

HINSTANCE WINAPI RecordShellCall(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    ShellCall call;
    call.verb = verb ? verb : "";
    call.file = file ? file : "";
    call.hasParameters = parameters != nullptr;
    call.parameters = parameters ? parameters : "";
    call.hasDirectory = directory != nullptr;
    call.directory = directory ? directory : "";
    call.show = show;
    g_calls.push_back(call);
    return reinterpret_cast<HINSTANCE>(33);
}
}  // namespace

ShellRecorder::ShellRecorder() {
    g_calls.clear();
    g_shellOpen = RecordShellCall;
}
ShellRecorder::~ShellRecorder() { g_shellOpen = ShellExecuteA; }
const std::vector<ShellCall>& ShellRecorder::calls() const { return g_calls; }

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
