#include "tests/fakes/test_support.h"

#include <cstdio>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include "installer/core/handles.h"

ScratchDir::ScratchDir(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "instally-test-" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}
ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(f);
    return out;
}

bool FileThere(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string TestBinDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, length);
    return p.substr(0, p.find_last_of('\\'));
}

ProgramRun RunProgram(const std::string& commandLine, DWORD timeoutMs) {
    ProgramRun run;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return run;
    run.started = true;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        run.finished = true;
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
    } else {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

namespace {
struct WindowCount { DWORD pid; int count; };
BOOL CALLBACK CountOne(HWND wnd, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == c->pid) ++c->count;
    return TRUE;
}
}  // namespace

int CountProcessWindows(DWORD processId) {
    WindowCount c{processId, 0};
    EnumWindows(CountOne, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

bool ReadShellLink(const std::string& linkPath, LinkProperties& out) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    if (FAILED(file->Load(wide, STGM_READ))) return false;
    char text[1024];
    text[0] = 0; link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH); out.path = text;
    text[0] = 0; link->GetDescription(text, sizeof text); out.description = text;
    text[0] = 0; link->GetWorkingDirectory(text, sizeof text); out.workingDirectory = text;
    text[0] = 0; link->GetArguments(text, sizeof text); out.arguments = text;
    return true;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.get(), &found));
    return names;
}

std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

void PumpMessagesFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}
