#include "installer/ui/version_list.h"

#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/ui/version_text.h"

namespace {
class GlobalBlock {
public:
    explicit GlobalBlock(DWORD size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)), data_(handle_ ? GlobalLock(handle_) : nullptr) {}
    ~GlobalBlock() {
        if (data_) GlobalUnlock(handle_);
        if (handle_) GlobalFree(handle_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    void* data() const { return data_; }
private:
    HGLOBAL handle_;
    void* data_;
};

// Adds lines and keeps the widest label, measured in the list's font.
class VersionLines {
public:
    VersionLines(HWND list, HDC dc) : list_(list), dc_(dc) {}
    void Add(const char* label, const std::string& value) {
        std::string line = VersionLine(label, value);
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        std::string measured = std::string(label) + ":";
        SIZE size{0, 0};
        if (dc_ && GetTextExtentPoint32A(dc_, measured.c_str(), static_cast<int>(measured.size()), &size))
            widest_ = size.cx > widest_ ? size.cx : widest_;
    }
    void AddRaw(const char* line) { SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)); }
    int Widest() const { return widest_; }
private:
    HWND list_;
    HDC dc_;
    int widest_ = 0;
};

std::string FixedValue(int index, const VS_FIXEDFILEINFO& info) {
    switch (index) {
    case 0: return VersionNumberText(info.dwFileVersionMS, info.dwFileVersionLS);
    case 1: return VersionNumberText(info.dwProductVersionMS, info.dwProductVersionLS);
    case 2: return FileFlagsText(info.dwFileFlags);
    case 3: return OperatingSystemText(info.dwFileOS);
    default: return FileTypeText(info.dwFileType, info.dwFileSubtype);
    }
}

std::string StringValue(void* data, const std::string& prefix, const char* key) {
    std::string query = prefix + key;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data, query.c_str(), reinterpret_cast<void**>(&value), &length) || !value || length == 0 || !*value)
        return "Unknown";
    return std::string(value, strnlen(value, length));
}

void AddLanguageLine(VersionLines& lines, WORD language) {
    char line[100];
    lstrcpynA(line, "Language:\t", sizeof line);
    int used = lstrlenA(line);
    VerLanguageNameA(language, line + used, sizeof line - used);
    line[sizeof line - 1] = 0;
    lines.AddRaw(line);
}

void SetTabStop(HWND list, int widest) {
    RECT fourUnits{0, 0, 4, 0};
    HWND parent = GetParent(list);
    if (!parent || !MapDialogRect(parent, &fourUnits)) fourUnits.right = 0;
    int stop = VersionTabStop(widest, fourUnits.right);
    SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 2 * GetSystemMetrics(SM_CXSCREEN), 0);
}

void FillFromFixedInfo(HWND list, void* data, const VS_FIXEDFILEINFO& info) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    {
        WindowDc dc(list);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
        SelectedObject selected(dc.get(), dc.get() ? font : nullptr);
        VersionLines lines(list, dc.get());
        for (int i = 0; i < 5; ++i) lines.Add(kFixedVersionLabels[i].label, FixedValue(i, info));

        WORD* translation = nullptr;
        UINT length = 0;
        // Without a translation table there is no language to ask the strings in: no string lines.
        if (VerQueryValueA(data, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
            translation && length >= 4) {
            std::string prefix = StringInfoPrefix(translation[0], translation[1]);
            AddLanguageLine(lines, translation[0]);
            for (const VersionLabel& label : kStringVersionLabels)
                lines.Add(label.label, StringValue(data, prefix, label.key));
        }
        SetTabStop(list, lines.Widest());
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}
}  // namespace

bool FillVersionList(const char* path, HWND list) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    GlobalBlock block(size);
    if (!block.data() || !GetFileVersionInfoA(path, 0, size, block.data())) return false;

    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) && info && length != 0) {
        FillFromFixedInfo(list, block.data(), *info);
        return true;
    }
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Version information is not available."));
    return false;
}
