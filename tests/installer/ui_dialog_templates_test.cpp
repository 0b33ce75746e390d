// The dialog templates: every control the dialogs drive is there in every language,
// the English texts are the quoted ones, and no text is cut off.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <vector>
#include "installer/ui/dialog_rules.h"
#include "installer/ui/meter_control.h"
#include "resources/resource_ids.h"

namespace {
const WORD kEnglish = 1033, kGerman = 1031;
const WORD kLanguages[] = {1025, 1028, 1031, 1033, 1034, 1036, 1041, 1042, 1043, 1045, 1046, 1049, 2052};
// Languages whose letters the dialog font itself carries: their texts are measured.
const WORD kMeasuredLanguages[] = {1031, 1033, 1034, 1036, 1043, 1045, 1046, 1049};
const int kTemplates[] = {IDD_INSTALL_OPTIONS, IDD_DISK_REQUEST, IDD_PROGRESS, IDD_FILE_IN_USE, IDD_VERSION_CONFLICT,
                          IDD_UNINSTALL_OPTIONS, IDD_WELCOME, IDD_COMPONENTS, IDD_PROGRAM_FOLDER, IDD_SUMMARY,
                          IDD_FINISH, IDD_REMOVE_ITEMS, IDD_REMOVE_FINISH, IDD_REMOVE_WELCOME};

// The style of a plain or an extended template (the extended one starts with version 1, 0xFFFF).
DWORD TemplateStyle(const void* t) {
    const WORD* words = static_cast<const WORD*>(t);
    const DWORD* at = reinterpret_cast<const DWORD*>(words[1] == 0xFFFF ? words + 6 : words);
    return *at;
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Creates one language's template, hidden, with no behaviour of its own.
class TemplateWindow {
public:
    TemplateWindow(int id, WORD language) {
        static bool ready = false;
        if (!ready) {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
            InitCommonControlsEx(&controls);
            RegisterMeterClass(GetModuleHandleA(nullptr));
            ready = true;
        }
        // Wizard pages are child windows: they need a parent, as the property sheet is.
        static HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id), language);   // RT_DIALOG
        if (!found) return;
        auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
        wnd_ = CreateDialogIndirectParamW(module, dialogTemplate, (TemplateStyle(dialogTemplate) & WS_CHILD) ? host : nullptr, QuietProc, 0);
    }
    ~TemplateWindow() { if (wnd_) DestroyWindow(wnd_); }
    HWND get() const { return wnd_; }
private:
    HWND wnd_ = nullptr;
};

std::string Text(HWND wnd) {
    char text[512] = "";
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

struct Quoted {
    int dialog, control;
    const char* text;   // null: the control only has to exist
};
const Quoted kEnglishControls[] = {
    {IDD_INSTALL_OPTIONS, IDC_FOLDER_EDIT, nullptr}, {IDD_INSTALL_OPTIONS, IDOK, "OK"}, {IDD_INSTALL_OPTIONS, IDCANCEL, "Cancel"},
    {IDD_INSTALL_OPTIONS, IDC_COMPONENT_FRAME, nullptr}, {IDD_INSTALL_OPTIONS, IDC_COMPONENT_ROW1, nullptr},
    {IDD_INSTALL_OPTIONS, IDC_COMPONENT_ROW4, nullptr}, {IDD_INSTALL_OPTIONS, IDC_COMPONENT_SCROLL, nullptr},
    {IDD_INSTALL_OPTIONS, IDC_COMPONENT_LINE, nullptr}, {IDD_INSTALL_OPTIONS, IDC_COMPONENT_LABEL, "Components"},
    {IDD_UNINSTALL_OPTIONS, IDC_COMPONENT_LABEL, "Components"},
    {IDD_UNINSTALL_OPTIONS, IDC_KEEP_FILES, "Don't delete files"}, {IDD_UNINSTALL_OPTIONS, IDC_COMPONENT_ROW4, nullptr},
    {IDD_UNINSTALL_OPTIONS, IDC_COMPONENT_SCROLL, nullptr},
    {IDD_PROGRESS, IDC_STEP_TITLE, nullptr}, {IDD_PROGRESS, IDC_CURRENT_FILE, nullptr}, {IDD_PROGRESS, IDC_METER, nullptr},
    {IDD_PROGRESS, IDCANCEL, "Cancel"},
    {IDD_DISK_REQUEST, IDC_DISK_NAME, nullptr}, {IDD_DISK_REQUEST, IDC_SOURCE_EDIT, nullptr},
    {IDD_VERSION_CONFLICT, IDC_CONFLICT_REASON, nullptr}, {IDD_VERSION_CONFLICT, IDC_EXISTING_LIST, nullptr},
    {IDD_VERSION_CONFLICT, IDC_NEW_LIST, nullptr}, {IDD_VERSION_CONFLICT, IDYES, "&Install new file"},
    {IDD_VERSION_CONFLICT, IDNO, "&Keep existing file"}, {IDD_VERSION_CONFLICT, IDABORT, "&Abort Setup"},
    {IDD_FILE_IN_USE, IDC_IN_USE_PATH, nullptr}, {IDD_FILE_IN_USE, IDRETRY, "A&ttempt to install the file again."},
    {IDD_FILE_IN_USE, IDIGNORE, "&Do not install this file"}, {IDD_FILE_IN_USE, IDABORT, "&Abort Setup."},
    {IDD_WELCOME, IDC_HEADING, "Welcome to  %s Setup"}, {IDD_WELCOME, IDC_WELCOME_NEXT, "Press the \"Next\" button."},
    {IDD_WELCOME, IDC_WELCOME_ADVICE, "It is strongly recommended that you exit all Windows programs before running this program"},
    {IDD_WELCOME, IDC_PAGE_ICON, nullptr},
    {IDD_COMPONENTS, IDC_HEADING, "Select Install Items and Folder"}, {IDD_COMPONENTS, IDC_ITEM_LIST, nullptr},
    {IDD_COMPONENTS, IDC_BROWSE, "Browse..."}, {IDD_COMPONENTS, IDC_SPACE_REQUIRED, nullptr},
    {IDD_COMPONENTS, IDC_SPACE_AVAILABLE, nullptr},
    {IDD_PROGRAM_FOLDER, IDC_HEADING, "Select folder in Startup"}, {IDD_PROGRAM_FOLDER, IDC_GROUP_EDIT, nullptr},
    {IDD_PROGRAM_FOLDER, IDC_GROUP_LIST, nullptr},
    {IDD_SUMMARY, IDC_HEADING, "Start Installation."}, {IDD_SUMMARY, IDC_SUMMARY_LABEL, "Detail of Installation :"},
    {IDD_SUMMARY, IDC_SUMMARY_TEXT, nullptr},
    {IDD_FINISH, IDC_HEADING, "Finish Setup"}, {IDD_FINISH, IDC_RESULT_TEXT, nullptr},
    {IDD_FINISH, IDC_RESTART_NOW, "Yes, I want to restrat my computer now."},
    {IDD_FINISH, IDC_RESTART_LATER, "No, I will restart my computer later."},
    {IDD_REMOVE_WELCOME, IDC_HEADING, "Remove  %s "}, {IDD_REMOVE_WELCOME, IDC_WELCOME_NEXT, "Press the \"Next\" button."},
    {IDD_REMOVE_ITEMS, IDC_HEADING, "Select the Items to remove"}, {IDD_REMOVE_ITEMS, IDC_ITEM_LIST, nullptr},
    {IDD_REMOVE_FINISH, IDC_HEADING, "Finish Remove"},
    {IDD_REMOVE_FINISH, IDC_RESTART_NOW, "Yes, I want to restart my computer now."},
    {IDD_REMOVE_FINISH, IDC_RESTART_LATER, "No, I will restart my computer later."},
};

bool BigHeading(int dialog) {
    return dialog == IDD_WELCOME || dialog == IDD_REMOVE_WELCOME || dialog == IDD_FINISH || dialog == IDD_REMOVE_FINISH;
}

// The font the dialog code gives a page heading: 16 points bold or 12 points, same face.
HFONT HeadingFont(HWND dialog, HWND heading, bool big) {
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(heading, WM_GETFONT, 0, 0)), sizeof face, &face);
    HDC dc = GetDC(dialog);
    int height = -MulDiv(big ? 16 : 12, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(dialog, dc);
    return CreateFontA(height, 0, 0, 0, big ? 700 : 0, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, face.lfFaceName);
}

// Why a control's text does not fit, or "" when it does. "%s" stands for a product name.
// Measured in UTF-16, so that every language is measured as it is shown.
std::string CutOff(HWND dialog, int dialogId, HWND control) {
    WCHAR buffer[512] = L"";
    GetWindowTextW(control, buffer, 512);
    std::wstring text = buffer;
    size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, L"Zorvant Pen Tablet");
    if (text.empty()) return "";
    char cls[32] = "";
    GetClassNameA(control, cls, sizeof cls);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    bool heading = GetDlgCtrlID(control) == IDC_HEADING;
    HFONT font = heading ? HeadingFont(dialog, control, BigHeading(dialogId))
                         : reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    RECT need = client;
    std::string why;
    if (lstrcmpiA(cls, "Static") == 0) {
        DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
        if (need.right > client.right || need.bottom > client.bottom) why = "wraps beyond the box";
    } else if (lstrcmpiA(cls, "Button") == 0) {
        DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        LONG type = style & BS_TYPEMASK;
        int room = client.right - 8;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            room = client.right - GetSystemMetrics(SM_CXMENUCHECK) - 4;
        if (type == BS_GROUPBOX) room = client.right - 16;
        if (need.right - need.left > room) why = "too wide";
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (heading) DeleteObject(font);
    if (!why.empty()) {
        char utf8[1024] = "";
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
        why = "\"" + std::string(utf8) + "\" " + why;
    }
    return why;
}

// One string of the program's table in the given language, whatever the thread's language.
std::wstring LanguageString(unsigned id, WORD language) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);   // RT_STRING
    if (!found) return L"";
    const WCHAR* at = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
    for (unsigned i = 0; i < id % 16; ++i) at += 1 + *at;
    return std::wstring(at + 1, *at);
}

std::wstring FinishText(const FinishTexts& texts, WORD language) {
    std::wstring text = LanguageString(texts.first, language);
    size_t at = text.find(L"%s");
    if (texts.withInstallDir && at != std::wstring::npos) text.replace(at, 2, L"C:\\Program Files\\Zorvant Tablet");
    if (texts.second) text += L"\n" + LanguageString(texts.second, language);
    return text;
}

// The texts the dialogs put into their controls while they run, per language.
struct RunTimeText {
    int dialog, control;
    std::wstring text;
};
std::vector<RunTimeText> RunTimeTexts(WORD language) {
    std::vector<RunTimeText> texts;
    for (int status : {0, 1, 5, 6})
        for (bool restart : {false, true}) {
            texts.push_back({IDD_FINISH, IDC_RESULT_TEXT, FinishText(InstallFinishTexts(status, restart), language)});
            texts.push_back({IDD_REMOVE_FINISH, IDC_RESULT_TEXT, FinishText(RemoveFinishTexts(status, restart), language)});
        }
    for (unsigned reason = 22; reason <= 26; ++reason)
        texts.push_back({IDD_VERSION_CONFLICT, IDC_CONFLICT_REASON, LanguageString(reason, language)});
    for (unsigned step : {31u, 37u}) texts.push_back({IDD_PROGRESS, IDC_STEP_TITLE, LanguageString(step, language)});
    return texts;
}

// Where a control reaches beyond its dialog's client area, or "" when it stays inside.
std::string OutsideTheDialog(HWND dialog, HWND control) {
    RECT client, rect;
    GetClientRect(dialog, &client);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom) return "";
    char why[160];
    snprintf(why, sizeof why, "control %d at (%ld,%ld)-(%ld,%ld) leaves the dialog of %ld by %ld", GetDlgCtrlID(control),
             rect.left, rect.top, rect.right, rect.bottom, client.right, client.bottom);
    return why;
}
}  // namespace

TEST(DialogTemplates, EnglishControlsAndTheirQuotedTexts) {
    for (const Quoted& q : kEnglishControls) {
        TemplateWindow dialog(q.dialog, kEnglish);
        ASSERT_NE(nullptr, dialog.get()) << "template " << q.dialog;
        HWND control = GetDlgItem(dialog.get(), q.control);
        ASSERT_NE(nullptr, control) << "template " << q.dialog << " control " << q.control;
        if (q.text) {
            EXPECT_EQ(q.text, Text(control)) << "template " << q.dialog << " control " << q.control;
        }
    }
    TemplateWindow progress(IDD_PROGRESS, kEnglish);
    char cls[32] = "";
    GetClassNameA(GetDlgItem(progress.get(), IDC_METER), cls, sizeof cls);
    EXPECT_STREQ("ZKMETERCTL", cls);
    TemplateWindow components(IDD_COMPONENTS, kEnglish);
    GetClassNameA(GetDlgItem(components.get(), IDC_ITEM_LIST), cls, sizeof cls);
    EXPECT_STREQ("SysListView32", cls);
}

TEST(DialogTemplates, EveryLanguageHasTheEnglishControls) {
    for (WORD language : kLanguages) {
        for (int id : kTemplates) {
            TemplateWindow english(id, kEnglish), translated(id, language);
            ASSERT_NE(nullptr, translated.get()) << "language " << language << " template " << id;
            for (HWND c = GetWindow(english.get(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                int control = GetDlgCtrlID(c);
                if (control != IDC_STATIC && control != 0xFFFF) {
                    EXPECT_NE(nullptr, GetDlgItem(translated.get(), control))
                        << "language " << language << " template " << id << " control " << control;
                }
            }
        }
    }
}

TEST(DialogTemplates, NoTextIsCutOff) {
    for (WORD language : kMeasuredLanguages) {
        for (int id : kTemplates) {
            TemplateWindow dialog(id, language);
            ASSERT_NE(nullptr, dialog.get()) << id;
            for (HWND c = GetWindow(dialog.get(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                std::string why = CutOff(dialog.get(), id, c);
                EXPECT_TRUE(why.empty()) << "language " << language << " template " << id << ": " << why;
            }
        }
    }
}

TEST(DialogTemplates, EveryControlStaysInsideItsDialog) {
    for (WORD language : kLanguages) {
        for (int id : kTemplates) {
            TemplateWindow dialog(id, language);
            ASSERT_NE(nullptr, dialog.get()) << id;
            for (HWND c = GetWindow(dialog.get(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                std::string why = OutsideTheDialog(dialog.get(), c);
                EXPECT_TRUE(why.empty()) << "language " << language << " template " << id << ": " << why;
            }
        }
    }
}

TEST(DialogTemplates, TextsSetWhileRunningAreNotCutOff) {
    for (WORD language : kMeasuredLanguages) {
        for (const RunTimeText& t : RunTimeTexts(language)) {
            ASSERT_FALSE(t.text.empty()) << "language " << language << " template " << t.dialog;
            TemplateWindow dialog(t.dialog, language);
            ASSERT_NE(nullptr, dialog.get()) << t.dialog;
            HWND control = GetDlgItem(dialog.get(), t.control);
            ASSERT_NE(nullptr, control);
            SetWindowTextW(control, t.text.c_str());
            std::string why = CutOff(dialog.get(), t.dialog, control);
            EXPECT_TRUE(why.empty()) << "language " << language << " template " << t.dialog << ": " << why;
        }
    }
}

TEST(DialogTemplates, PicturesForPagesAndComponentLists) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int id : {IDB_STATE_UNSELECTED, IDB_STATE_SELECTED, IDB_STATE_GREYED}) {
        HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
        ASSERT_NE(nullptr, bitmap) << id;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(11, info.bmWidth);
        EXPECT_EQ(11, info.bmHeight);
        DeleteObject(bitmap);
    }
    HBITMAP side = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_SIDE_PICTURE));
    EXPECT_NE(nullptr, side);
    DeleteObject(side);
    EXPECT_NE(nullptr, LoadIconA(instance, MAKEINTRESOURCEA(IDI_PAGE)));
    TemplateWindow welcome(IDD_WELCOME, kEnglish);
    EXPECT_NE(0, SendDlgItemMessageA(welcome.get(), IDC_SIDE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)) << "the side picture shows";
}
