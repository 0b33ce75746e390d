#include "installer/run/run_background.h"

#include "installer/ui/progress_callback.h"

BackgroundLook BackgroundLookFor(const ApplicationSettings& s, int runMode, const char* pictureDir,
                                 const char* runTitle) {
    BackgroundLook look;
    look.app = s;
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
