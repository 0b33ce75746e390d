#include <windows.h>
#include "installer/core/handles.h"
#include "installer/record/programs_list_entry.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/registry_view.h"

// A 32-bit installer on 64-bit Windows writes where the system's 64-bit list reads: the view
// of the kit's own registry entries (KitRegistryView).

bool WriteProgramsListEntry(const ProgramsListFacts& facts) {
    if (facts.productName.IsEmpty() || facts.uninstaller.IsEmpty()) return false;
    StrBuf path = ProgramsListKeyPath(facts.productName);
    DeleteProgramsListEntry(facts.productName);   // nothing of an earlier install stays beside it
    RegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE | KitRegistryView(), nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const ProgramsListValue& value : ProgramsListValues(facts)) {
        LONG result;
        if (value.isNumber) {
            DWORD number = value.number;
            result = RegSetValueExA(key.get(), value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                    sizeof number);
        } else {
            result = RegSetValueExA(key.get(), value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                                    static_cast<DWORD>(value.text.Length() + 1));
        }
        ok = ok && result == ERROR_SUCCESS;
    }
    return ok;
}

void DeleteProgramsListEntry(const char* productName) {
    if (!productName || !*productName) return;
    RegKey parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_ALL_ACCESS | KitRegistryView(), parent.put()) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(parent.get(), productName);
}
