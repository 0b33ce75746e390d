// The autorun menu: shows the menu that "setup.inf" beside the program describes and
// ends when its window is closed.
#include "launcher/main_frame.h"
#include "launcher/message_loop.h"
#include "launcher/setup_inf.h"
#include "installer/core/system_code_page.h"

#include <objbase.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSystemLeadBytes();   // the launcher's folder is cut from its path below
    HRESULT com = CoInitialize(nullptr);
    int result = 0;
    {
        CMainFrame frame(LauncherDirectory());
        if (frame.Create()) result = RunMessageLoop();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
