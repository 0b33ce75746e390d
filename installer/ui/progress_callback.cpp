#include "installer/ui/progress_callback.h"
#include "installer/core/messages.h"
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/files/install_decisions.h"
#include "installer/files/progress_events.h"
#include "installer/tree/application.h"
#include "installer/ui/callback_dialogs.h"
#include "installer/ui/dialog_helpers.h"
#include "installer/ui/meter_messages.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

HWND g_owner = nullptr;
HWND g_progress = nullptr;
// Its controls, found once: every file updates two of them and looks at the third.
HWND g_fileText = nullptr;
HWND g_meter = nullptr;
HWND g_cancel = nullptr;

bool Silent() { return TheApplication().settings.silent; }

void OpenProgress(bool install, ProgressContext& progress) {
    if (g_progress) DestroyWindow(g_progress);
    g_progress = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROGRESS), g_owner, ProgressDlgProc, 0);
    if (!g_progress) return;
    g_fileText = GetDlgItem(g_progress, IDC_PROGRESS_FILE);
    g_meter = GetDlgItem(g_progress, IDC_PROGRESS_METER);
    g_cancel = GetDlgItem(g_progress, IDCANCEL);
    ShowWindow(g_progress, Silent() ? SW_HIDE : SW_SHOW);
    SetDlgItemTextA(g_progress, IDC_PROGRESS_STEP, ResString(install ? IDS_COPY_FILE : IDS_DELETE_FILES));
    progress.itemsDone = 0;
    progress.itemCount = TheApplication().Count(KindFile);
    SendDlgItemMessageA(g_progress, IDC_PROGRESS_METER, MTM_SETRANGE, progress.itemCount, 0);
    SendDlgItemMessageA(g_progress, IDC_PROGRESS_METER, MTM_SETPOS, 0, 0);
    UpdateWindow(g_progress);
}

void CloseProgress() {
    if (g_progress) DestroyWindow(g_progress);
    g_progress = g_fileText = g_meter = g_cancel = nullptr;
}

struct Question {
    uintptr_t parameter;
    uintptr_t request;
};

StrBuf DestinationPath(const FileCopyRequest* request) {
    if (!request) return StrBuf();
    return JoinPath(request->destDir, request->destName);
}

StrBuf SourcePath(const FileCopyRequest* request) {
    if (!request) return StrBuf();
    return JoinPath(request->sourceDir, request->sourceName);
}

int Ask(unsigned event, unsigned messageId, void* askContext) {
    const Question& question = *static_cast<Question*>(askContext);
    const FileCopyRequest* request = reinterpret_cast<const FileCopyRequest*>(question.request);
    if (event == EV_NEED_SOURCE) {
        char* buffer = reinterpret_cast<char*>(question.parameter);
        if (!buffer) return ReplyCancel;
        int reply = AskForDisk(g_owner, buffer);
        // The retry looks in the buffer: it gets the folder the user chose.
        if (reply == ReplyOk) CopyWholeChars(buffer, kSourceBufferSize, TheApplication().SourceDir());
        return reply;
    }
    if (event == EV_VERSION_CONFLICT) {
        VersionConflictQuestion conflict;
        conflict.existingPath = DestinationPath(request);
        conflict.newPath = SourcePath(request);
        conflict.bits = static_cast<unsigned>(question.parameter);
        return AskVersionConflict(g_owner, conflict);
    }
    return ShowMessage(g_owner, messageId, RunTitle(), kInstallErrorStyle, DestinationPath(request).c_str());
}

// A silent run's dialog stays hidden: nobody sees its file name or meter, and each change of
// them is a round trip to the window system, so they are left as they are.
int ItemBegins(uintptr_t displayName, ProgressContext& progress) {
    if (g_fileText && !Silent()) SetWindowTextA(g_fileText, reinterpret_cast<const char*>(displayName));
    ++progress.itemsDone;
    return PumpAndCheckCancel() ? 1 : 0;
}

int ItemEnds(ProgressContext& progress) {
    if (g_meter && !Silent()) SendMessageA(g_meter, MTM_SETPOS, progress.itemsDone, 0);
    return PumpAndCheckCancel() ? 1 : 0;
}

void DispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the run's own message loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Only the application's own walk over the file lists opens and closes the dialog.
bool ApplicationFileList(uintptr_t parameter, uintptr_t request) { return parameter == KindFile && request == 0; }

}  // namespace

int StandardProgressCallback(unsigned event, uintptr_t parameter, uintptr_t request, void* context) {
    static ProgressContext spare;
    ProgressContext& progress = context ? *static_cast<ProgressContext*>(context) : spare;
    switch (event) {
    case EV_ITEM_BEGIN:
    case EV_REMOVE_BEGIN: return ItemBegins(parameter, progress);
    case EV_ITEM_END:
    case EV_REMOVE_END: return ItemEnds(progress);
    case EV_LIST_BEGIN:
    case EV_UNLIST_BEGIN:
        if (ApplicationFileList(parameter, request)) OpenProgress(event == EV_LIST_BEGIN, progress);
        return 0;
    case EV_LIST_END:
    case EV_UNLIST_END:
        if (ApplicationFileList(parameter, request)) CloseProgress();
        return 0;
    case EV_NEED_SOURCE:
    case EV_INSTALL_ERROR:
    case EV_VERSION_CONFLICT: {
        Question question = {parameter, request};
        unsigned bits = event == EV_NEED_SOURCE ? 0 : static_cast<unsigned>(parameter);
        return StandardFileReply(event, bits, Silent(), Ask, &question);
    }
    }
    return 0;
}

bool PumpAndCheckCancel() {
    // Each look at the queue is a round trip to the window system, and files can go by a few
    // hundred a second: the queue is emptied at most every kPumpEveryMs, which no user can
    // tell apart. The Cancel button is looked at every time.
    static DWORD lastPump = 0;
    static bool pumped = false;
    DWORD now = GetTickCount();
    if (!pumped || now - lastPump >= kPumpEveryMs) {
        DispatchWaiting();
        lastPump = now;
        pumped = true;
    }
    return g_cancel && !IsWindowEnabled(g_cancel);
}

void SetDialogOwner(HWND owner) { g_owner = owner; }
HWND DialogOwner() { return g_owner; }
HWND ProgressDialog() { return g_progress; }
