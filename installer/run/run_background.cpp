#include "installer/run/run_background.h"

#include "installer/ui/progress_callback.h"

namespace {
Rgb RgbOf(unsigned colour) {
    return Rgb{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
               static_cast<uint8_t>((colour >> 16) & 0xFF)};
}
}  // namespace

BackgroundLook BackgroundLookFor(const ApplicationSettings& s, int runMode, const char* pictureDir,
                                 const char* runTitle) {
    BackgroundLook look;
    look.caption = s.caption;
    look.appName = s.appName;
    look.appNameDivisor = s.appNameDivisor;
    look.appNameColour = RgbOf(s.appNameColour);
    look.appNameShadow = RgbOf(s.appNameShadow);
    look.appNamePanel = s.appNamePanel;
    look.appNameDx = s.appNameShadowX;
    look.appNameDy = s.appNameShadowY;
    look.logoText = s.logoName;
    look.logoDivisor = s.logoDivisor;
    look.logoColour = RgbOf(s.logoColour);
    look.logoShadow = RgbOf(s.logoShadow);
    look.logoPanel = s.logoPanel;
    look.logoDx = s.logoShadowX;
    look.logoDy = s.logoShadowY;
    look.logoPicture = s.logoBmpName;
    look.logoMaskPicture = s.logoBmpMaskName;
    look.backgroundPicture = s.bkBmpName;
    look.backgroundMode = s.bkStretch;
    look.uninstallPicture = s.bkUBmpName;
    look.showLogo = s.bkStatus[0] != 0;
    look.showLogoText = s.bkStatus[1] != 0;
    look.showAppName = s.bkStatus[2] != 0;
    look.showSuffix = s.bkStatus[3] != 0;
    look.topColour = RgbOf(s.bkTop);
    look.bottomColour = RgbOf(s.bkBottom);
    look.gradientSteps = s.bkSteps;
    look.frame = s.bkFrame;
    look.appNameFace = s.fontAppName;
    look.logoFace = s.fontLogoName;
    look.runMode = runMode;
    look.pictureDir = pictureDir;
    look.runTitle = runTitle;
    return look;
}

HWND OpenRunBackground(HINSTANCE instance, const BackgroundLook& look, bool silent) {
    HWND background = CreateBackgroundWindow(instance, look);
    if (!background) return nullptr;
    ShowWindow(background, silent ? SW_HIDE : SW_SHOWNORMAL);
    UpdateWindow(background);
    SetDialogOwner(background);
    return background;
}

void CloseRunBackground(HWND background) {
    SetDialogOwner(nullptr);
    DestroyWindow(background);
}
