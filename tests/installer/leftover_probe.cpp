// Leaves known traces for the leftover audit's test: in C:\audit it makes "made.txt",
// appends to "changed.txt" and deletes "old.txt"; it sets the value "Made" below
// HKCU\Software\Zorvant Audit. Exit code 0 when all of that was done.
#include <windows.h>
#include "installer/core/handles.h"

int main() {
    int failures = 0;
    FileHandle made(CreateFileA("C:\\audit\\made.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!made.valid() || !WriteFile(made.get(), "made\n", 5, &written, nullptr)) ++failures;
    FileHandle changed(CreateFileA("C:\\audit\\changed.txt", FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!changed.valid() || !WriteFile(changed.get(), "more\n", 5, &written, nullptr)) ++failures;
    if (!DeleteFileA("C:\\audit\\old.txt")) ++failures;
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zorvant Audit", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS ||
        RegSetValueExA(key.get(), "Made", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4) != ERROR_SUCCESS)
        ++failures;
    return failures;
}
