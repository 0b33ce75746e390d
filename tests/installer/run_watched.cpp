// Runs the installer the way a test must: under a time limit, answering every message box it
// shows (its default button) and reporting what it said, listening for the status the
// installer broadcasts at its end, and, when asked, ending it the moment a file appears (a
// machine switched off in the middle of the file list).
// Usage: run_watched KILL_WHEN_PATH|- LIMIT_MS PROGRAM [ARGUMENT...]
// Prints "box CAPTION | TEXT", "status N", "killed", then "exit N"; its exit code is the
// program's, 124 when the limit ended it, 125 when it could not start.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
UINT g_statusMessage = 0;

LRESULT CALLBACK Listener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_statusMessage && g_statusMessage) {
        printf("status %d\n", static_cast<int>(wParam));
        fflush(stdout);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window that only hears broadcasts.
HWND MakeListener() {
    g_statusMessage = RegisterWindowMessageA("Zorvant_InstallStatus");
    WNDCLASSA wc{};
    wc.lpfnWndProc = Listener;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RunWatchedListener";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
}

std::string CommandLineFrom(int first, int argc, char** argv) {
    std::string line;
    for (int i = first; i < argc; ++i) {
        if (!line.empty()) line += ' ';
        bool quote = strchr(argv[i], ' ') != nullptr;
        line += quote ? "\"" + std::string(argv[i]) + "\"" : std::string(argv[i]);
    }
    return line;
}

struct BoxSearch {
    DWORD processId;
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// A message box of the program: its text is reported and its default button pressed.
void AnswerBoxes(DWORD processId) {
    BoxSearch search{processId};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.box) return;
    char caption[256] = "", text[1024] = "";
    GetWindowTextA(search.box, caption, sizeof caption);
    GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);   // the message box's static text
    for (char* c = text; *c; ++c)
        if (*c == '\r' || *c == '\n') *c = ' ';
    printf("box %s | %s\n", caption, text);
    fflush(stdout);
    LRESULT defaultId = SendMessageA(search.box, DM_GETDEFID, 0, 0);
    WORD button = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    Sleep(200);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const char* killWhen = strcmp(argv[1], "-") == 0 ? nullptr : argv[1];
    DWORD limit = static_cast<DWORD>(atol(argv[2]));
    std::string command = CommandLineFrom(3, argc, argv);
    MakeListener();

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        printf("cannot start: %s\n", command.c_str());
        return 125;
    }
    CloseHandle(process.hThread);
    DWORD start = GetTickCount();
    int code = 124;
    for (;;) {
        Pump();
        if (killWhen && GetFileAttributesA(killWhen) != INVALID_FILE_ATTRIBUTES) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 10000);
            printf("killed\n");
            code = 99;
            break;
        }
        DWORD waited = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, killWhen ? 1 : 50, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            GetExitCodeProcess(process.hProcess, &exitCode);
            code = static_cast<int>(exitCode);
            break;
        }
        if (!killWhen || (GetTickCount() - start) % 50 == 0) AnswerBoxes(process.dwProcessId);
        if (GetTickCount() - start > limit) {
            TerminateProcess(process.hProcess, 124);
            WaitForSingleObject(process.hProcess, 10000);
            printf("time limit\n");
            break;
        }
    }
    Pump();   // a broadcast sent just before the end
    CloseHandle(process.hProcess);
    printf("exit %d\n", code);
    fflush(stdout);
    return code;
}
