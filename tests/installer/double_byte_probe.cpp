// Looks at what a kit left on the machine in the system's own code page. Names come in and
// answers go out as hexadecimal bytes, so that no console or command-line conversion can
// change a double-byte text on its way.
//   double_byte_probe acp                         code page and the lead bytes start-up takes
//   double_byte_probe reg HKLM|HKCU KEY NAME      a string value's bytes, or "missing"
//   double_byte_probe ini FILE SECTION KEY        a profile string's bytes, or "missing"
//   double_byte_probe link PATH                   the link's target, working folder, arguments
#include <cstdio>
#include <cstring>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <windows.h>
#include "installer/core/code_page.h"
#include "installer/core/system_code_page.h"

namespace {
std::string FromHex(const char* hex) {
    std::string text;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        text += static_cast<char>(strtoul(pair, nullptr, 16));
    }
    return text;
}

void PrintHex(const char* label, const char* text) {
    printf("%s=", label);
    for (const char* p = text; *p; ++p) printf("%02x", static_cast<unsigned char>(*p));
    printf("\n");
}

int Acp() {
    UseSystemLeadBytes();
    int leads = 0;
    for (int b = 0; b < 256; ++b) leads += IsLeadByte(static_cast<char>(b));
    printf("acp=%u leads=%d\n", GetACP(), leads);
    return 0;
}

int Reg(const char* root, const char* key, const char* name) {
    HKEY hive = strcmp(root, "HKCU") == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(hive, FromHex(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) { printf("missing\n"); return 0; }
    char data[1024] = {};
    DWORD size = sizeof data - 1, type = 0;
    LONG rc = RegQueryValueExA(opened, FromHex(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (rc != ERROR_SUCCESS) printf("missing\n");
    else PrintHex("value", data);
    return 0;
}

int Ini(const char* file, const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(FromHex(section).c_str(), FromHex(key).c_str(), "\x01", value, sizeof value,
                             FromHex(file).c_str());
    if (strcmp(value, "\x01") == 0) printf("missing\n");
    else PrintHex("value", value);
    return 0;
}

int Link(const char* path) {
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, FromHex(path).c_str(), -1, wide, MAX_PATH);
    bool loaded = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                             reinterpret_cast<void**>(&link))) &&
                  SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                  SUCCEEDED(file->Load(wide, STGM_READ));
    if (loaded) {
        char text[MAX_PATH + 1] = {};
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        PrintHex("target", text);
        text[0] = 0;
        link->GetWorkingDirectory(text, MAX_PATH);
        PrintHex("folder", text);
        text[0] = 0;
        link->GetArguments(text, MAX_PATH);
        PrintHex("arguments", text);
    } else {
        printf("missing\n");
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && strcmp(argv[1], "acp") == 0) return Acp();
    if (argc >= 5 && strcmp(argv[1], "reg") == 0) return Reg(argv[2], argv[3], argv[4]);
    if (argc >= 5 && strcmp(argv[1], "ini") == 0) return Ini(argv[2], argv[3], argv[4]);
    if (argc >= 3 && strcmp(argv[1], "link") == 0) return Link(argv[2]);
    fprintf(stderr, "usage: double_byte_probe acp | reg ROOT KEY NAME | ini FILE SECTION KEY | link PATH\n");
    return 2;
}
