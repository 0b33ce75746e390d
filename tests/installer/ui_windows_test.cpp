// The background window, the progress meter and the version view under Wine:
// messages, what creation loads, and the pixels they paint into a memory canvas.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "installer/run/run_background.h"
#include "installer/ui/background_window.h"
#include "installer/ui/meter_control.h"
#include "installer/ui/version_list.h"
#include "tests/fakes/test_support.h"

namespace {
// A 32-bit top-down DIB section to paint into and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    bool ok() const { return bits_ != nullptr; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(int left, int top, int right, int bottom, COLORREF colour) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += At(x, y) == colour;
        return n;
    }
private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

COLORREF Rgb3(Rgb c) { return RGB(c.r, c.g, c.b); }

std::string Bmp24(int width, int height, const COLORREF* pixelsTopDown) {
    int stride = (width * 3 + 3) / 4 * 4;
    std::string data(stride * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixelsTopDown[y * width + x];
            char* p = &data[(height - 1 - y) * stride + 3 * x];
            p[0] = static_cast<char>(GetBValue(c));
            p[1] = static_cast<char>(GetGValue(c));
            p[2] = static_cast<char>(GetRValue(c));
        }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(data.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    return std::string(reinterpret_cast<char*>(&file), sizeof file) + std::string(reinterpret_cast<char*>(&info), sizeof info) + data;
}

// Parent of the meters: gives them its own colours, as a dialog would.
const COLORREF kParentText = RGB(10, 20, 30);
const COLORREF kParentBack = RGB(200, 210, 220);
LRESULT CALLBACK ColourParentProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        SetTextColor(reinterpret_cast<HDC>(wParam), kParentText);
        SetBkColor(reinterpret_cast<HDC>(wParam), kParentBack);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

class MeterTest : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(RegisterMeterClass(instance));
        WNDCLASSA wc{};
        wc.lpfnWndProc = ColourParentProc;
        wc.hInstance = instance;
        wc.lpszClassName = "UiTestMeterParent";
        RegisterClassA(&wc);
        parent_ = CreateWindowExA(0, "UiTestMeterParent", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(nullptr, parent_);
        meter_ = CreateWindowExA(0, "ZKMETERCTL", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, parent_, nullptr, instance, nullptr);
        ASSERT_NE(nullptr, meter_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    LRESULT Send(UINT message, WPARAM wParam = 0) { return SendMessageA(meter_, message, wParam, 0); }
    HWND parent_ = nullptr, meter_ = nullptr;
};
}  // namespace

TEST_F(MeterTest, ClassIsRegisteredOnceWithTwoWordsPerControl) {
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "ZKMETERCTL", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS), wc.style);
    EXPECT_EQ(4, wc.cbWndExtra);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(MeterWndFn), wc.lpfnWndProc);
    EXPECT_TRUE(RegisterMeterClass(GetModuleHandleA(nullptr))) << "already there is not a failure";
    EXPECT_EQ(DLGC_STATIC, Send(WM_GETDLGCODE));
}

TEST_F(MeterTest, MessagesKeepRangeAndPositionInSixteenBits) {
    EXPECT_EQ(100, Send(MTM_GETRANGE)) << "a new meter";
    EXPECT_EQ(50, Send(MTM_GETPOS));
    Send(MTM_SETRANGE, 0);
    EXPECT_EQ(100, Send(MTM_GETRANGE));
    Send(MTM_SETRANGE, 0x10007);
    EXPECT_EQ(7, Send(MTM_GETRANGE));
    EXPECT_EQ(50, Send(MTM_GETPOS)) << "setting the range leaves the position";
    Send(MTM_SETRANGE, 200);
    Send(MTM_SETPOS, 250);
    EXPECT_EQ(200, Send(MTM_GETPOS)) << "never above the range";
    Send(MTM_SETRANGE, 80);
    EXPECT_EQ(200, Send(MTM_GETPOS));
    EXPECT_EQ(0x00C80050u, static_cast<uint32_t>(GetWindowLongA(meter_, 0))) << "range at byte 0, position at byte 2";
}

TEST_F(MeterTest, QuarterFilledMeterReadsTwentyFivePercent) {
    Send(MTM_SETRANGE, 200);
    Send(MTM_SETPOS, 50);
    Canvas canvas(200, 20);
    ASSERT_TRUE(canvas.ok());
    PaintMeter(meter_, canvas.dc());
    // Row 0 holds no text: the filled part is in the swapped colours, the rest in the parent's.
    EXPECT_EQ(50, canvas.Count(0, 0, 200, 1, kParentText));
    EXPECT_EQ(kParentText, canvas.At(49, 0));
    EXPECT_EQ(kParentBack, canvas.At(50, 0));
    EXPECT_EQ(150, canvas.Count(0, 0, 200, 1, kParentBack));

    // The text over the unfilled part must be the same as a plain "25%" centred there.
    Canvas expected(200, 20);
    HDC dc = expected.dc();
    SetTextColor(dc, kParentText);
    SetBkColor(dc, kParentBack);
    SetTextAlign(dc, TA_CENTER);
    SIZE x{};
    GetTextExtentPoint32A(dc, "X", 1, &x);
    RECT all{0, 0, 200, 20};
    ExtTextOutA(dc, 100, (20 - x.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &all, "25%", 3, nullptr);
    int textPixels = 0, differences = 0;
    for (int yy = 0; yy < 20; ++yy)
        for (int xx = 50; xx < 200; ++xx) {
            textPixels += expected.At(xx, yy) != kParentBack;
            differences += expected.At(xx, yy) != canvas.At(xx, yy);
        }
    EXPECT_GT(textPixels, 20) << "the reference shows text";
    EXPECT_EQ(0, differences);
}

TEST_F(MeterTest, TextAcrossTheBoundaryIsInvertedOnTheFilledSide) {
    Send(MTM_SETRANGE, 100);
    Send(MTM_SETPOS, 50);
    Canvas canvas(200, 20);
    PaintMeter(meter_, canvas.dc());
    // Left of the boundary: text in the parent's background colour on its text colour.
    EXPECT_GT(canvas.Count(80, 1, 100, 19, kParentBack), 5);
    EXPECT_GT(canvas.Count(80, 1, 100, 19, kParentText), 5);
    EXPECT_EQ(0, canvas.Count(0, 0, 100, 20, RGB(255, 255, 255))) << "the returned white brush is not the fill";
    // Right of it: the normal colours.
    EXPECT_GT(canvas.Count(100, 1, 120, 19, kParentText), 5);
    EXPECT_EQ(0, canvas.Count(100, 0, 200, 1, kParentText));
    EXPECT_EQ(kParentText, canvas.At(99, 0));
    EXPECT_EQ(kParentBack, canvas.At(100, 0));
}

namespace {
int g_meterPaints = 0;
LRESULT CALLBACK CountingMeterProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++g_meterPaints;
    return MeterWndFn(wnd, message, wParam, lParam);
}
}  // namespace

// A long file list moves the meter by less than a pixel per file: only a position that changes
// the filled width or the percentage is painted, and the picture is the same as painting all.
TEST_F(MeterTest, OnlyPositionsThatChangeThePictureArePainted) {
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SetWindowLongPtrA(meter_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingMeterProc));
    Send(MTM_SETRANGE, 2000);
    Send(MTM_SETPOS, 0);
    g_meterPaints = 0;
    // 200 pixels for 2,000 files: one pixel from the fifth file (rounded), 1% from the tenth.
    std::vector<int> paintedAt;
    for (int position = 1; position <= 30; ++position) {
        int before = g_meterPaints;
        Send(MTM_SETPOS, position);
        EXPECT_EQ(position, Send(MTM_GETPOS)) << "every position is kept";
        if (g_meterPaints != before) paintedAt.push_back(position);
    }
    EXPECT_EQ((std::vector<int>{5, 10, 15, 25, 30}), paintedAt);
    Send(MTM_SETPOS, 30);
    EXPECT_EQ(5, g_meterPaints) << "the same position again paints nothing";

    Canvas shown(200, 20), fresh(200, 20);
    PaintMeter(meter_, shown.dc());
    Send(MTM_SETPOS, 0);
    Send(MTM_SETPOS, 30);
    PaintMeter(meter_, fresh.dc());
    int differences = 0;
    for (int yy = 0; yy < 20; ++yy)
        for (int xx = 0; xx < 200; ++xx) differences += shown.At(xx, yy) != fresh.At(xx, yy);
    EXPECT_EQ(0, differences);
}

namespace {
class BackgroundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterBkgndClass(GetModuleHandleA(nullptr)); }
    void TearDown() override {
        if (wnd_) DestroyWindow(wnd_);
    }
    HWND Create(const BackgroundLook& look) {
        wnd_ = CreateBackgroundWindow(GetModuleHandleA(nullptr), look);
        EXPECT_NE(nullptr, wnd_);
        RECT r{};
        GetClientRect(wnd_, &r);
        width_ = r.right;
        height_ = r.bottom;
        return wnd_;
    }
    static BackgroundLook Look() {
        BackgroundLook look;
        look.app.caption = "Tablet";
        look.app.appName = "Pen@ Tablet";
        look.runTitle = "Setup";
        return look;
    }
    HWND wnd_ = nullptr;
    int width_ = 0, height_ = 0;
};
}  // namespace

TEST_F(BackgroundTest, ClassAndCreationCoverTheScreen) {
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "ZKSETUPBKGNDWND", &wc));
    EXPECT_EQ(0u, wc.style);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(BkgndWndProc), wc.lpfnWndProc);
    EXPECT_NE(nullptr, wc.hIcon);
    EXPECT_EQ(nullptr, wc.hbrBackground);

    Create(Look());
    char title[64] = "";
    GetWindowTextA(wnd_, title, sizeof title);
    EXPECT_STREQ("Tablet", title);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width_);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height_);
    UINT autoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(1, SendMessageA(wnd_, autoPlay, 0, 0)) << "AutoPlay is cancelled";
}

TEST_F(BackgroundTest, DefaultGradientStartsWithTheTopColourInFourPixelBands) {
    BackgroundLook look = Look();
    Create(look);
    BackgroundObjects objects = CurrentBackgroundObjects();
    ASSERT_NE(nullptr, objects.gradientPalette);
    WORD entries = 0;
    GetObjectA(objects.gradientPalette, sizeof entries, &entries);
    EXPECT_EQ(128, entries);

    Canvas canvas(width_, height_);
    ASSERT_TRUE(canvas.ok());
    EXPECT_EQ(1, SendMessageA(wnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0));
    for (int y = 0; y < 4; ++y) EXPECT_EQ(RGB(128, 128, 255), canvas.At(width_ / 2, y)) << "row " << y;
    PALETTEENTRY second{};
    GetPaletteEntries(objects.gradientPalette, 4 * 128 / height_, 1, &second);
    for (int y = 4; y < 8; ++y) EXPECT_EQ(RGB(second.peRed, second.peGreen, second.peBlue), canvas.At(0, y)) << "row " << y;
    EXPECT_NE(canvas.At(0, 0), canvas.At(0, height_ - 1)) << "the colour moves towards the bottom";
    EXPECT_EQ(canvas.At(0, 0), canvas.At(width_ - 1, 0)) << "bands run across the whole width";
}

TEST_F(BackgroundTest, BevelledFrameAndNamePanelUseTheDerivedColours) {
    BackgroundLook look = Look();
    look.app.bkTop = ColourOf(200, 100, 50);
    look.app.bkBottom = ColourOf(100, 50, 0);
    look.app.bkFrame = true;
    look.app.appNamePanel = true;
    Create(look);
    BevelColours bevel = DeriveBevelColours(RgbOf(look.app.bkTop), RgbOf(look.app.bkBottom));
    Canvas canvas(width_, height_);
    PaintBackground(wnd_, canvas.dc());
    PaintForeground(wnd_, canvas.dc());
    int mid = height_ / 2;
    EXPECT_EQ(Rgb3(bevel.light), canvas.At(0, mid));
    EXPECT_EQ(Rgb3(bevel.face), canvas.At(5, mid));
    EXPECT_EQ(Rgb3(bevel.shadow), canvas.At(8, mid));
    EXPECT_EQ(Rgb3(bevel.shadow), canvas.At(width_ - 1, mid));

    Origin o = BackgroundOrigin(width_, height_);
    EXPECT_EQ(Rgb3(bevel.shadow), canvas.At(o.x - 10, o.y + 5)) << "panel outline";
    EXPECT_EQ(Rgb3(bevel.light), canvas.At(o.x - 9, o.y + 5)) << "panel's raised edge";
    int white = canvas.Count(o.x, o.y, o.x + width_ / 3, o.y + height_ / 10, RGB(255, 255, 255));
    EXPECT_GT(white, 50) << "the application name in its colour";
}

TEST_F(BackgroundTest, PictureIsTiledOrStretchedAndABrokenOneFallsBackToTheGradient) {
    ScratchDir dir("ui-pictures");
    const COLORREF quad[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    ASSERT_TRUE(WriteBytes(dir / "bk.bmp", Bmp24(2, 2, quad)));
    std::string broken = Bmp24(2, 2, quad);
    broken[34] = 64;   // the header claims 64 bytes of pixels that the file does not hold
    ASSERT_TRUE(WriteBytes(dir / "broken.bmp", broken));

    BackgroundLook look = Look();
    look.pictureDir = dir.path().c_str();
    look.app.bkBmpName = "bk.bmp";
    Create(look);
    ASSERT_NE(nullptr, CurrentBackgroundObjects().background);
    {
        Canvas canvas(width_, height_);
        PaintBackground(wnd_, canvas.dc());
        EXPECT_EQ(quad[0], canvas.At(0, 0));
        EXPECT_EQ(quad[1], canvas.At(1, 0));
        EXPECT_EQ(quad[2], canvas.At(0, 1));
        EXPECT_EQ(quad[0], canvas.At(2, 2)) << "tiled";
        EXPECT_EQ(quad[3], canvas.At(width_ - 1 - (width_ % 2), height_ - 1 - (height_ % 2)));
    }
    DestroyWindow(wnd_);

    look.app.bkStretch = 2;
    Create(look);
    {
        Canvas canvas(width_, height_);
        PaintBackground(wnd_, canvas.dc());
        EXPECT_EQ(quad[0], canvas.At(width_ / 4, height_ / 4)) << "stretched";
        EXPECT_EQ(quad[3], canvas.At(width_ * 3 / 4, height_ * 3 / 4));
    }
    DestroyWindow(wnd_);

    look.app.bkBmpName = "broken.bmp";
    Create(look);
    EXPECT_EQ(nullptr, CurrentBackgroundObjects().background);
    Canvas canvas(width_, height_);
    PaintBackground(wnd_, canvas.dc());
    EXPECT_EQ(RGB(128, 128, 255), canvas.At(0, 0));
}

namespace {
// A 2 x 2 picture of four palette colours stored as 8-bit runs, bottom row first.
std::string Rle8Quad(const COLORREF* quadTopDown) {
    const unsigned char runs[] = {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 1};
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    RGBQUAD table[4]{};
    for (int i = 0; i < 4; ++i) {
        table[i].rgbRed = GetRValue(quadTopDown[i]);
        table[i].rgbGreen = GetGValue(quadTopDown[i]);
        table[i].rgbBlue = GetBValue(quadTopDown[i]);
    }
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + sizeof table;
    file.bfSize = file.bfOffBits + sizeof runs;
    info.biSize = sizeof info;
    info.biWidth = 2;
    info.biHeight = 2;
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biCompression = BI_RLE8;
    info.biSizeImage = sizeof runs;
    info.biClrUsed = 4;
    return std::string(reinterpret_cast<char*>(&file), sizeof file) + std::string(reinterpret_cast<char*>(&info), sizeof info) +
           std::string(reinterpret_cast<char*>(table), sizeof table) + std::string(reinterpret_cast<const char*>(runs), sizeof runs);
}
}  // namespace

TEST_F(BackgroundTest, RunLengthPictureIsShownLikeAPlainOne) {
    ScratchDir dir("ui-rle");
    const COLORREF quad[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    ASSERT_TRUE(WriteBytes(dir / "bk.bmp", Rle8Quad(quad)));
    BackgroundLook look = Look();
    look.pictureDir = dir.path().c_str();
    look.app.bkBmpName = "bk.bmp";
    Create(look);
    ASSERT_NE(nullptr, CurrentBackgroundObjects().background);
    Canvas canvas(width_, height_);
    PaintBackground(wnd_, canvas.dc());
    EXPECT_EQ(quad[0], canvas.At(0, 0));
    EXPECT_EQ(quad[1], canvas.At(1, 0));
    EXPECT_EQ(quad[2], canvas.At(0, 1));
    EXPECT_EQ(quad[3], canvas.At(1, 1));
    EXPECT_EQ(quad[0], canvas.At(2, 2)) << "tiled";
}

TEST_F(BackgroundTest, ShrunkPictureKeepsItsBrightness) {
    // Two white rows to every black one, twice as many rows as the window has: shrunk, the
    // picture stays mostly white, whichever rows are merged or kept, unless merging darkens.
    Create(Look());
    int width = width_, height = 2 * height_;
    DestroyWindow(wnd_);
    wnd_ = nullptr;
    std::vector<COLORREF> rows(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rows[static_cast<size_t>(y) * width + x] = y % 3 ? RGB(255, 255, 255) : 0;
    ScratchDir dir("ui-shrunk");
    ASSERT_TRUE(WriteBytes(dir / "rows.bmp", Bmp24(width, height, rows.data())));

    BackgroundLook look = Look();
    look.pictureDir = dir.path().c_str();
    look.app.bkBmpName = "rows.bmp";
    look.app.bkStretch = 1;
    Create(look);
    ASSERT_NE(nullptr, CurrentBackgroundObjects().background);
    Canvas canvas(width_, height_);
    PaintBackground(wnd_, canvas.dc());
    long sum = 0;
    for (int y = 0; y < height_; ++y) sum += GetGValue(canvas.At(width_ / 2, y));
    long mean = sum / height_;
    EXPECT_GT(mean, 127) << "darkened";
}

TEST_F(BackgroundTest, RunBackgroundIsShownNormalOverTheWholeScreen) {
    HWND shown = OpenRunBackground(GetModuleHandleA(nullptr), Look(), false);
    ASSERT_NE(nullptr, shown);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(shown, &placement));
    RECT r{};
    GetWindowRect(shown, &r);
    bool visible = IsWindowVisible(shown) != FALSE;
    CloseRunBackground(shown);
    EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), placement.showCmd);
    EXPECT_TRUE(visible);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), r.bottom);

    HWND silent = OpenRunBackground(GetModuleHandleA(nullptr), Look(), true);
    ASSERT_NE(nullptr, silent);
    EXPECT_FALSE(IsWindowVisible(silent));
    CloseRunBackground(silent);
}

TEST_F(BackgroundTest, UninstallTakesItsOwnPicture) {
    ScratchDir dir("ui-uninstall");
    const COLORREF one[1] = {RGB(1, 2, 3)};
    const COLORREF three[3] = {RGB(9, 9, 9), RGB(9, 9, 9), RGB(9, 9, 9)};
    ASSERT_TRUE(WriteBytes(dir / "in.bmp", Bmp24(1, 1, one)));
    ASSERT_TRUE(WriteBytes(dir / "un.bmp", Bmp24(3, 1, three)));
    BackgroundLook look = Look();
    look.runMode = 1;
    look.pictureDir = (dir.path() + "\\").c_str();   // a folder ending in a backslash gets no second one
    look.app.bkBmpName = "in.bmp";
    look.app.bkUBmpName = "un.bmp";
    Create(look);
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(CurrentBackgroundObjects().background, sizeof info, &info));
    EXPECT_EQ(3, info.bmWidth);
}

TEST_F(BackgroundTest, LogoComesFromTheProgramOrTheScriptAndIsMasked) {
    BackgroundLook look = Look();
    Create(look);
    EXPECT_NE(nullptr, CurrentBackgroundObjects().logo) << "no logo named and no logo text: the built-in one";
    EXPECT_NE(nullptr, CurrentBackgroundObjects().mask);
    DestroyWindow(wnd_);

    look.app.logoName = " ";   // "#" in the script
    Create(look);
    EXPECT_EQ(nullptr, CurrentBackgroundObjects().logo);
    DestroyWindow(wnd_);

    ScratchDir dir("ui-logo");
    const COLORREF logo[4] = {RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0)};
    const COLORREF mask[4] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)};
    ASSERT_TRUE(WriteBytes(dir / "logo.bmp", Bmp24(2, 2, logo)));
    ASSERT_TRUE(WriteBytes(dir / "mask.bmp", Bmp24(2, 2, mask)));
    look.app.logoName = "";
    look.app.bkStatus[kShowLogoText] = 0;
    look.app.bkStatus[kShowAppName] = 0;
    look.pictureDir = dir.path().c_str();
    look.app.logoBmpName = "logo.bmp";
    look.app.logoBmpMaskName = "mask.bmp";
    Create(look);
    Canvas canvas(width_, height_);
    PaintBackground(wnd_, canvas.dc());
    Origin o = BackgroundOrigin(width_, height_);
    int bottom = height_ - o.y;
    COLORREF behind = canvas.At(o.x + 1, bottom - 1);
    PaintForeground(wnd_, canvas.dc());
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(o.x, bottom - 1)) << "where the mask is white the logo shows";
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(o.x, bottom - 2));
    EXPECT_EQ(behind, canvas.At(o.x + 1, bottom - 1)) << "where it is black the background shows";
}

TEST_F(BackgroundTest, DestroyReleasesEverything) {
    Create(Look());
    DestroyWindow(wnd_);
    wnd_ = nullptr;
    BackgroundObjects objects = CurrentBackgroundObjects();
    EXPECT_EQ(nullptr, objects.appNameFont);
    EXPECT_EQ(nullptr, objects.gradientPalette);
    EXPECT_EQ(nullptr, objects.logo);
    EXPECT_EQ(nullptr, objects.mask);
}

namespace {
struct ListWindow {
    ListWindow() {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_USETABSTOPS | WS_HSCROLL, 0, 0, 300, 200, parent, nullptr,
                               nullptr, nullptr);
    }
    ~ListWindow() { DestroyWindow(parent); }
    int Count() const { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
    std::string Line(int i) const {
        char text[512] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool HasLine(const std::string& line) const {
        for (int i = 0; i < Count(); ++i)
            if (Line(i) == line) return true;
        return false;
    }
    HWND parent, list;
};
}  // namespace

TEST(VersionList, ShowsTheProgramsOwnVersionResource) {
    ListWindow w;
    ASSERT_NE(nullptr, w.list);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_TRUE(FillVersionList(path, w.list));
    ASSERT_EQ(5 + 1 + 12, w.Count());
    EXPECT_EQ("File version:\t1.0.0.0", w.Line(0));
    EXPECT_EQ("Product version:\t1.0.0.0", w.Line(1));
    EXPECT_EQ("File flags:\tNo flags", w.Line(2));
    EXPECT_EQ("Operating sys:\tWindows-32 under Windows-NT", w.Line(3));
    EXPECT_EQ("File type:\tApplication", w.Line(4));
    EXPECT_EQ(0u, w.Line(5).find("Language:\tEnglish")) << w.Line(5);
    EXPECT_EQ("Comments:\tUnknown", w.Line(6));
    EXPECT_EQ("Company:\tZorvant Technology Corp.", w.Line(7));
    EXPECT_EQ("Original name:\tInstally.exe", w.Line(13));
    EXPECT_EQ("Special build:\tUnknown", w.Line(17));
    EXPECT_EQ(2 * GetSystemMetrics(SM_CXSCREEN), SendMessageA(w.list, LB_GETHORIZONTALEXTENT, 0, 0));
}

TEST(VersionList, FileWithoutVersionInformationLeavesTheListEmpty) {
    ListWindow w;
    ScratchDir dir("ui-version");
    ASSERT_TRUE(WriteBytes(dir / "plain.txt", "no resources here"));
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_TRUE(FillVersionList(path, w.list));
    EXPECT_FALSE(FillVersionList((dir / "plain.txt").c_str(), w.list));
    EXPECT_EQ(0, w.Count()) << "not even the \"not available\" line";
    EXPECT_FALSE(FillVersionList((dir / "missing.dll").c_str(), w.list));
    EXPECT_EQ(0, w.Count());
}
