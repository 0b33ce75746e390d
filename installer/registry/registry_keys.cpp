#include "installer/registry/registry_keys.h"

#include "installer/core/handles.h"

namespace {
// An empty path (or one of separators only) would name the root itself.
bool NamesNoSubkey(const char* path) {
    if (!path) return true;
    while (*path == '\\') ++path;
    return *path == 0;
}

// A key of another view is deleted through RegDeleteKeyExA, which systems before 64-bit
// Windows lack: looked up by name, and only asked for when a view is named.
LONG DeleteOneKey(HKEY root, const char* path, REGSAM view) {
    using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    HMODULE advapi = view ? GetModuleHandleA("advapi32") : nullptr;
    auto deleteEx = advapi ? reinterpret_cast<DeleteKeyEx>(
                                 reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExA")))
                           : nullptr;
    return deleteEx ? deleteEx(root, path, view, 0) : RegDeleteKeyA(root, path);
}
}  // namespace

LONG DeleteKeyTree(HKEY root, const char* path, REGSAM view) {
    if (!root || NamesNoSubkey(path)) return ERROR_INVALID_PARAMETER;
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | view, key.put()) == ERROR_SUCCESS) {
        DWORD subkeys = 0;
        if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            subkeys = 0;
        // From the highest index down, so that deleting one does not shift those still to visit.
        for (DWORD i = subkeys; i-- > 0;) {
            char name[257];
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
                DeleteKeyTree(key.get(), name, view);
        }
    }
    key.reset();
    return DeleteOneKey(root, path, view);
}

bool ReadKeyDefault(StrBuf& text, HKEY key, const char* subkey, int maxLength) {
    if (maxLength <= 0) return false;
    char* buffer = text.GetBuffer(maxLength);
    if (!buffer) return false;
    LONG size = maxLength;
    LONG rc = RegQueryValueA(key, subkey, buffer, &size);
    if (rc != ERROR_SUCCESS) {
        text.ReleaseBuffer(0);
        return false;
    }
    buffer[size >= 0 && size < maxLength ? size : maxLength] = 0;   // the stored text may lack its NUL
    text.ReleaseBuffer();
    return true;
}

bool WriteKeyDefault(const char* text, HKEY key, const char* subkey) {
    if (!text) text = "";
    return RegSetValueA(key, subkey && *subkey ? subkey : nullptr, REG_SZ, text,
                        static_cast<DWORD>(strlen(text))) == ERROR_SUCCESS;
}

HKEY OpenOrCreateKey(const char* path, HKEY root, bool create) {
    HKEY key = nullptr;
    if (RegOpenKeyA(root, path, &key) == ERROR_SUCCESS) return key;
    key = nullptr;
    if (create && RegCreateKeyA(root, path, &key) == ERROR_SUCCESS) return key;
    return nullptr;
}
