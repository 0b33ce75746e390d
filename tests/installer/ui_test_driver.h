#pragma once
// Drives the installer's modal dialogs and wizards from a second thread, the way a user
// would: it finds the window the main thread shows, presses its buttons and answers its
// message boxes, always under a time limit so that no test waits on a box nobody answers.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <functional>
#include <string>
#include <thread>

namespace ui_test {

const DWORD kLimitMs = 10000;

struct Search {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

inline BOOL CALLBACK TakeWindow(HWND window, LPARAM context) {
    Search* search = reinterpret_cast<Search*>(context);
    if (IsWindowVisible(window) && search->accept(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the thread that accept() likes, waited for up to the limit.
inline HWND WaitForWindow(DWORD threadId, const std::function<bool(HWND)>& accept, DWORD limitMs = kLimitMs) {
    for (DWORD waited = 0; waited < limitMs; waited += 20) {
        Search search;
        search.accept = accept;
        EnumThreadWindows(threadId, TakeWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    }
    return nullptr;
}

inline bool HasItem(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

inline std::string ItemText(HWND window, int id) {
    char text[1024] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// The run's message boxes carry the run title ("Setup" or "Uninstall") as caption, while its
// dialogs carry the product's caption; the box's message is its static text 0xFFFF.
inline bool IsMessageBox(HWND window) {
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    std::string caption = title;
    return (caption == "Setup" || caption == "Uninstall") && HasItem(window, 0xFFFF);
}

inline HWND WaitForMessageBox(DWORD threadId, std::string* text = nullptr) {
    HWND box = WaitForWindow(threadId, IsMessageBox);
    if (box && text) *text = ItemText(box, 0xFFFF);
    return box;
}

inline void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Waits until condition() holds, polling; false at the limit.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = kLimitMs) {
    for (DWORD waited = 0; waited < limitMs; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

// The wizard's property sheet: a dialog with the wizard's Next button.
inline HWND WaitForWizard(DWORD threadId) {
    return WaitForWindow(threadId, [](HWND w) { return HasItem(w, 0x3024) && HasItem(w, 0x3023); });
}

inline HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

inline bool PageHas(HWND sheet, int id) {
    HWND page = CurrentPage(sheet);
    return page && HasItem(page, id);
}

// A thread that acts on the main thread's windows and is always joined.
class Driver {
public:
    explicit Driver(std::function<void(DWORD mainThread)> body)
        : main_(GetCurrentThreadId()), thread_([this, body] { body(main_); }) {}
    ~Driver() { if (thread_.joinable()) thread_.join(); }
    void Join() { if (thread_.joinable()) thread_.join(); }
private:
    DWORD main_;
    std::thread thread_;
};

}  // namespace ui_test
