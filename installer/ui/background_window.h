#pragma once
// The full-screen window behind every dialog of a run: gradient or picture, the
// application-name line at the top left and the logo area at the bottom left.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/script/app_section.h"
#include "installer/ui/background_layout.h"

// Everything the window shows: the [App] entry as read (its defaults are those of an entry
// that leaves the values out) and the run's own facts.
struct BackgroundLook {
    ApplicationSettings app;          // the [App] keys: texts, colours, pictures, fonts, what shows

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
