#pragma once
// The full-screen window behind every dialog of a run: gradient or picture, the
// application-name line at the top left and the logo area at the bottom left.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/ui/background_layout.h"

// Everything the window shows, as the [App] entry and the run give it. The
// defaults are those of an entry that leaves the values out.
struct BackgroundLook {
    StrBuf caption;

    StrBuf appName;                   // every "@" is drawn as a trademark mark
    int appNameDivisor = 10;          // client height / divisor = font height
    Rgb appNameColour{255, 255, 255};
    Rgb appNameShadow{0, 0, 0};
    bool appNamePanel = false;
    int appNameDx = 4, appNameDy = 4;

    StrBuf logoText;                  // empty: the company name from the string table
    int logoDivisor = 18;
    Rgb logoColour{255, 255, 255};
    Rgb logoShadow{0, 0, 0};
    int logoPanel = 0;
    int logoDx = 2, logoDy = 1;

    StrBuf logoPicture;               // picture file names, relative to pictureDir
    StrBuf logoMaskPicture;
    StrBuf backgroundPicture;
    int backgroundMode = 0;           // 1 or 2 stretch, anything else tiles
    StrBuf uninstallPicture;          // empty: backgroundPicture

    bool showLogo = true, showLogoText = true, showAppName = true, showSuffix = true;

    Rgb topColour{128, 128, 255};
    Rgb bottomColour{0, 0, 55};
    int gradientSteps = 128;
    bool frame = false;

    StrBuf appNameFace;               // empty: "Times New Roman", italic
    StrBuf logoFace;

    // From the run rather than the script.
    int runMode = 0;                  // 0 install, 1 uninstall
    StrBuf pictureDir;                // the program's folder, or the installation folder when uninstalling
    StrBuf runTitle;                  // "Setup": follows the application name when installing
};

// The look of the next window created; there is one background window per process.
void SetBackgroundLook(const BackgroundLook& look);

ATOM RegisterBkgndClass(HINSTANCE instance);
extern "C" __declspec(dllexport) LRESULT CALLBACK BkgndWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the window over the whole screen, hidden until the caller shows it.
HWND CreateBackgroundWindow(HINSTANCE instance, const BackgroundLook& look);

// The painting steps, into any DC of the window's client size.
void PaintBackground(HWND wnd, HDC dc);       // gradient and frame, or the picture
void PaintForeground(HWND wnd, HDC dc);       // application-name line and logo area

// What creation made, for the sequences' own checks and for tests.
struct BackgroundObjects {
    HFONT appNameFont, trademarkFont, logoFont;
    HPALETTE gradientPalette, picturePalette;
    HBITMAP background, logo, mask;
};
BackgroundObjects CurrentBackgroundObjects();
