#include "installer/ui/background_window.h"

#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/ui/dib_picture.h"
#include "resources/resource_ids.h"

namespace {
const char kClassName[] = "ZKSETUPBKGNDWND";
const char kDefaultFace[] = "Times New Roman";

struct BackgroundState {
    BackgroundLook look;
    GdiObject appNameFont, trademarkFont, logoFont;
    GdiObject gradientPalette, picturePalette;
    GdiObject background, logo, mask;
};
BackgroundLook g_nextLook;
BackgroundState g_state;

COLORREF Colour(Rgb c) { return RGB(c.r, c.g, c.b); }
HFONT Font(const GdiObject& o) { return static_cast<HFONT>(o.get()); }
HPALETTE Palette(const GdiObject& o) { return static_cast<HPALETTE>(o.get()); }
HBITMAP Bitmap(const GdiObject& o) { return static_cast<HBITMAP>(o.get()); }

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

SIZE TextSize(HDC dc, HFONT font, const char* text) {
    SIZE size{0, 0};
    SelectedObject selected(dc, font);
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size;
}

RECT ClientRect(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
}

HPALETTE ActivePalette() {
    return Palette(g_state.background ? g_state.picturePalette : g_state.gradientPalette);
}

// Loads a picture named by the script; the palette of the last picture read wins.
void LoadInto(GdiObject& target, const StrBuf& name) {
    HPALETTE palette = nullptr;
    StrBuf path = JoinPath(g_state.look.pictureDir, name);
    HBITMAP bitmap = LoadPictureFile(path, &palette);
    if (bitmap || palette) g_state.picturePalette.reset(palette);
    target.reset(bitmap);
}

HPALETTE CreateGradientPalette(Rgb top, Rgb bottom, int steps) {
    std::vector<Rgb> colours = GradientSteps(top, bottom, steps);
    if (colours.empty()) return nullptr;
    std::vector<uint8_t> memory(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        palette->palPalEntry[i] = {colours[i].r, colours[i].g, colours[i].b, 0};
    return CreatePalette(palette);
}

HFONT MakeFont(int height, bool italic, int charset, const char* face) {
    return CreateFontA(height, 0, 0, 0, 700, italic, FALSE, FALSE, charset, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, face);
}

void CreateFonts(int clientHeight) {
    const BackgroundLook& look = g_state.look;
    int charset = FontCharset();
    bool namedFace = !look.app.fontAppName.IsEmpty();
    const char* face = namedFace ? look.app.fontAppName.c_str() : kDefaultFace;
    int d = look.app.appNameDivisor;
    g_state.appNameFont.reset(MakeFont(FontHeightFor(clientHeight, d), !namedFace, charset, face));
    g_state.trademarkFont.reset(MakeFont(FontHeightFor(clientHeight, 3 * static_cast<int64_t>(d)), true, charset, face));
    bool namedLogoFace = !look.app.fontLogoName.IsEmpty();
    g_state.logoFont.reset(MakeFont(FontHeightFor(clientHeight, look.app.logoDivisor), false,
                                    namedLogoFace ? DEFAULT_CHARSET : charset,
                                    namedLogoFace ? look.app.fontLogoName.c_str() : kDefaultFace));
}

void LoadLogo() {
    const BackgroundLook& look = g_state.look;
    if (!look.app.logoBmpName.IsEmpty()) {
        LoadInto(g_state.logo, look.app.logoBmpName);
        if (!look.app.logoBmpMaskName.IsEmpty()) LoadInto(g_state.mask, look.app.logoBmpMaskName);
    } else if (look.app.logoName.IsEmpty()) {
        HINSTANCE instance = ProgramInstance();
        g_state.logo.reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO)));
        g_state.mask.reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO_MASK)));
    }
}

// The logo keeps only what the mask shows; the mask is inverted so that it punches
// the logo's shape out of the background before the logo is ORed in.
void PrepareLogoMask(HWND wnd) {
    if (!g_state.logo || !g_state.mask) return;
    WindowDc windowDc(wnd);
    if (!windowDc.get()) { g_state.mask.reset(); return; }
    MemoryDc logoDc(CreateCompatibleDC(windowDc.get()));
    MemoryDc maskDc(CreateCompatibleDC(windowDc.get()));
    if (!logoDc || !maskDc) { g_state.mask.reset(); return; }
    SelectedObject logo(logoDc.get(), g_state.logo.get());
    SelectedObject mask(maskDc.get(), g_state.mask.get());
    SIZE logoSize = BitmapSize(Bitmap(g_state.logo));
    SIZE maskSize = BitmapSize(Bitmap(g_state.mask));
    BitBlt(logoDc.get(), 0, 0, logoSize.cx, logoSize.cy, maskDc.get(), 0, 0, SRCAND);
    BitBlt(maskDc.get(), 0, 0, maskSize.cx, maskSize.cy, nullptr, 0, 0, DSTINVERT);
}

void OnCreate(HWND wnd) {
    g_state.look = g_nextLook;
    const BackgroundLook& look = g_state.look;
    SetWindowTextA(wnd, look.app.caption);
    const StrBuf& picture = look.runMode == RunUninstallMode && !look.app.bkUBmpName.IsEmpty()
                                ? look.app.bkUBmpName : look.app.bkBmpName;
    if (!picture.IsEmpty()) LoadInto(g_state.background, picture);
    g_state.gradientPalette.reset(CreateGradientPalette(RgbOf(look.app.bkTop), RgbOf(look.app.bkBottom), look.app.bkSteps));
    CreateFonts(ClientRect(wnd).bottom);
    LoadLogo();
    PrepareLogoMask(wnd);
}

void OnDestroy() {
    g_state.gradientPalette.reset();
    g_state.appNameFont.reset();
    g_state.logoFont.reset();
    g_state.trademarkFont.reset();
    g_state.logo.reset();
    g_state.mask.reset();
    g_state.picturePalette.reset();
    g_state.background.reset();
}

void PaintFills(HDC dc, const std::vector<Fill>& fills) {
    for (const Fill& fill : fills) {
        GdiObject brush(CreateSolidBrush(Colour(fill.colour)));
        RECT r{fill.box.left, fill.box.top, fill.box.right, fill.box.bottom};
        FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
    }
}

BevelColours Bevel() { return DeriveBevelColours(RgbOf(g_state.look.app.bkTop), RgbOf(g_state.look.app.bkBottom)); }

void DrawPanel(HDC dc, Box box) { PaintFills(dc, PanelFills(box, Bevel())); }
void DrawWindowFrame(HDC dc, Box box) { PaintFills(dc, WindowFrameFills(box, Bevel())); }

void PaintGradient(HDC dc, int x, int y, int width, int height, int steps) {
    for (const GradientBand& band : GradientBands(height, steps)) {
        GdiObject brush(CreateSolidBrush(PALETTEINDEX(band.index)));
        SelectedObject selected(dc, brush.get());
        PatBlt(dc, x, y + band.offset, width, 4, PATCOPY);
    }
}

void PaintPicture(HDC dc, const RECT& client) {
    HBITMAP bitmap = Bitmap(g_state.background);
    SIZE size = BitmapSize(bitmap);
    MemoryDc pictureDc(CreateCompatibleDC(dc));
    if (!pictureDc) return;
    SelectedObject selected(pictureDc.get(), bitmap);
    int mode = g_state.look.app.bkStretch;
    if (mode == 1 || mode == 2) {
        // The default mode keeps the darker of the rows it merges, and a shrunk picture darkens.
        // Halftoning averages them instead; an enlarged picture keeps its sharp pixels.
        bool shrunk = size.cx > client.right || size.cy > client.bottom;
        int previousMode = SetStretchBltMode(dc, shrunk && GetOsVersionCode() >= 400 ? HALFTONE : COLORONCOLOR);
        POINT previousOrigin{};
        SetBrushOrgEx(dc, 0, 0, &previousOrigin);   // halftoning needs the origin set after the mode
        StretchBlt(dc, 0, 0, client.right, client.bottom, pictureDc.get(), 0, 0, size.cx, size.cy, SRCCOPY);
        SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
        if (previousMode) SetStretchBltMode(dc, previousMode);
        return;
    }
    for (const Box& tile : PictureTiles(client.right, client.bottom, size.cx, size.cy))
        BitBlt(dc, tile.left, tile.top, size.cx, size.cy, pictureDc.get(), 0, 0, SRCCOPY);
}

int DrawShadowText(HDC dc, HFONT font, int x, int y, const char* text, Rgb colour, Rgb shadow, int dx, int dy) {
    SelectedObject selected(dc, font);
    SIZE size{0, 0};
    int length = lstrlenA(text);
    GetTextExtentPoint32A(dc, text, length, &size);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + dx, y + dy, text, length);
    TextOutA(dc, x, y, text, length);
    SetTextColor(dc, Colour(shadow));
    TextOutA(dc, x + dx, y + dy, text, length);
    SetTextColor(dc, Colour(colour));
    TextOutA(dc, x, y, text, length);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return size.cx;
}

void PaintAppNameLine(HWND wnd, HDC dc) {
    const BackgroundLook& look = g_state.look;
    RECT client = ClientRect(wnd);
    Origin origin = BackgroundOrigin(client.right, client.bottom);
    StrBuf suffix = look.runMode == RunInstallMode ? StrBuf(" ") + look.runTitle : StrBuf();
    bool withSuffix = Shows(look.app, kShowSuffix) && !suffix.IsEmpty();
    std::vector<NamePiece> pieces = SplitAtTrademarks(look.app.appName.c_str());
    HFONT nameFont = Font(g_state.appNameFont), markFont = Font(g_state.trademarkFont);

    if (look.app.appNamePanel) {
        int width = 0;
        for (const NamePiece& piece : pieces) width += TextSize(dc, piece.trademark ? markFont : nameFont, piece.text.c_str()).cx;
        if (Shows(look.app, kShowSuffix)) width += TextSize(dc, nameFont, suffix).cx;
        int height = TextSize(dc, nameFont, "W").cy;
        DrawPanel(dc, AppNamePanel(origin, width, height, look.app.appNameShadowX, look.app.appNameShadowY));
    }
    int x = origin.x;
    for (const NamePiece& piece : pieces)
        x += DrawShadowText(dc, piece.trademark ? markFont : nameFont, x, origin.y, piece.text.c_str(),
                            RgbOf(look.app.appNameColour), RgbOf(look.app.appNameShadow), look.app.appNameShadowX, look.app.appNameShadowY);
    if (withSuffix)
        DrawShadowText(dc, nameFont, x, origin.y, suffix, RgbOf(look.app.appNameColour), RgbOf(look.app.appNameShadow), look.app.appNameShadowX, look.app.appNameShadowY);
}

void DrawLogoPicture(HDC dc, int x, int y, SIZE size) {
    MemoryDc pictureDc(CreateCompatibleDC(dc));
    if (!pictureDc) return;
    if (g_state.mask) {
        SelectedObject mask(pictureDc.get(), g_state.mask.get());
        BitBlt(dc, x, y, size.cx, size.cy, pictureDc.get(), 0, 0, SRCAND);
    }
    SelectedObject logo(pictureDc.get(), g_state.logo.get());
    BitBlt(dc, x, y, size.cx, size.cy, pictureDc.get(), 0, 0, g_state.mask ? SRCPAINT : SRCCOPY);
}

void PaintLogoArea(HWND wnd, HDC dc) {
    const BackgroundLook& look = g_state.look;
    RECT client = ClientRect(wnd);
    StrBuf text = look.app.logoName.IsEmpty() ? ResString(IDS_COMPANY) : look.app.logoName;
    HFONT font = Font(g_state.logoFont);
    SelectedObject selected(dc, font);
    SIZE picture = BitmapSize(Bitmap(g_state.logo));
    SIZE textSize = TextSize(dc, font, text);

    LogoAreaInput in;
    in.clientWidth = client.right;
    in.clientHeight = client.bottom;
    in.showPicture = Shows(look.app, kShowLogo);
    in.hasPicture = g_state.logo.valid();
    in.pictureWidth = picture.cx;
    in.pictureHeight = picture.cy;
    in.showText = Shows(look.app, kShowLogoText);
    in.textWidth = textSize.cx;
    in.textHeight = textSize.cy;
    in.shadowDx = look.app.logoShadowX;
    in.shadowDy = look.app.logoShadowY;
    LogoAreaLayout layout = LayOutLogoArea(in);

    if (look.app.logoPanel != 0 && layout.hasPanel) DrawPanel(dc, layout.panel);
    if (layout.drawPicture) DrawLogoPicture(dc, layout.pictureX, layout.pictureY, picture);
    if (Shows(look.app, kShowLogoText) && !text.IsEmpty())
        DrawShadowText(dc, font, layout.textX, layout.textY, text, RgbOf(look.app.logoColour), RgbOf(look.app.logoShadow), look.app.logoShadowX, look.app.logoShadowY);
}

LRESULT OnPaint(HWND wnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    if (dc) PaintForeground(wnd, dc);
    EndPaint(wnd, &ps);
    return 0;
}

LRESULT RealizeActivePalette(HWND wnd) {
    HPALETTE palette = ActivePalette();
    if (!palette) return 0;
    WindowDc dc(wnd);
    if (!dc.get()) return 0;
    HPALETTE previous = SelectPalette(dc.get(), palette, FALSE);
    UINT count = RealizePalette(dc.get());
    if (previous) {
        SelectPalette(dc.get(), previous, TRUE);
        RealizePalette(dc.get());
    }
    if (count) InvalidateRect(wnd, nullptr, TRUE);
    return count;
}

bool IsAutoPlayQuery(UINT message) {
    static UINT autoPlay = 0;
    if (!autoPlay) autoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    return autoPlay != 0 && message == autoPlay;
}
}  // namespace

void SetBackgroundLook(const BackgroundLook& look) { g_nextLook = look; }

void PaintBackground(HWND wnd, HDC dc) {
    RECT client = ClientRect(wnd);
    HPALETTE palette = ActivePalette();
    HPALETTE previous = nullptr;
    if (palette) {
        previous = SelectPalette(dc, palette, TRUE);
        RealizePalette(dc);
    }
    if (g_state.background) {
        PaintPicture(dc, client);
    } else {
        PaintGradient(dc, 0, 0, client.right, client.bottom, g_state.look.app.bkSteps);
        if (g_state.look.app.bkFrame) DrawWindowFrame(dc, {0, 0, client.right, client.bottom});
    }
    if (previous) {
        SelectPalette(dc, previous, TRUE);
        RealizePalette(dc);
    }
}

void PaintForeground(HWND wnd, HDC dc) {
    const BackgroundLook& look = g_state.look;
    if (Shows(look.app, kShowAppName)) PaintAppNameLine(wnd, dc);
    if (Shows(look.app, kShowLogo) || Shows(look.app, kShowLogoText)) PaintLogoArea(wnd, dc);
}

BackgroundObjects CurrentBackgroundObjects() {
    return {Font(g_state.appNameFont), Font(g_state.trademarkFont), Font(g_state.logoFont),
            Palette(g_state.gradientPalette), Palette(g_state.picturePalette),
            Bitmap(g_state.background), Bitmap(g_state.logo), Bitmap(g_state.mask)};
}

extern "C" LRESULT CALLBACK BkgndWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(wnd); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_ERASEBKGND: PaintBackground(wnd, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_PAINT: return OnPaint(wnd);
    case WM_QUERYNEWPALETTE: return RealizeActivePalette(wnd);
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == wnd) return DefWindowProcA(wnd, message, wParam, lParam);
        return RealizeActivePalette(wnd);
    default:
        if (IsAutoPlayQuery(message)) return 1;
        return DefWindowProcA(wnd, message, wParam, lParam);
    }
}

ATOM RegisterBkgndClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = BkgndWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc);
}

HWND CreateBackgroundWindow(HINSTANCE instance, const BackgroundLook& look) {
    SetBackgroundLook(look);
    return CreateWindowExA(0, kClassName, nullptr, WS_POPUP | WS_MAXIMIZE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
}
