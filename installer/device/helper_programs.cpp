#include "installer/device/helper_programs.h"
#include <windows.h>
#include "installer/core/handles.h"

namespace {
void DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
}  // namespace

bool StartProgram(const char* commandLine, bool wait) {
    if (!commandLine || !*commandLine) return false;
    StrBuf line(commandLine);   // CreateProcessA may write into its command line
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.GetBuffer(line.Length()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    KernelHandle process(info.hProcess), thread(info.hThread);
    if (wait) {
        do {
            DispatchPending();
        } while (WaitForSingleObject(thread.get(), 100) == WAIT_TIMEOUT);
    }
    return true;
}

bool RegisterLibrary(const char* libraryPath, bool silent, bool unregister) {
    return StartProgram(RegistrationCommand(libraryPath, silent, unregister), true);
}

bool RunHelperStep(const HelperStep& step, bool removal, const char* directory) {
    return StartProgram(HelperCommandLine(step, removal, directory), step.wait);
}
