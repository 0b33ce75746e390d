#include "installer/registry/registry_entry.h"

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/registry_view.h"

namespace {
HKEY PredefinedKey(RegistryRoot root) {
    switch (root) {
    case kRootCurrentUser: return HKEY_CURRENT_USER;
    case kRootLocalMachine: return HKEY_LOCAL_MACHINE;
    case kRootUsers: return HKEY_USERS;
    default: return HKEY_CLASSES_ROOT;
    }
}

// The value name as the registry functions take it: null for the key's default value.
const char* ValueName(const RegistryEntryLine& entry) {
    return entry.NamesDefaultValue() ? nullptr : entry.valueName.c_str();
}

void WriteValue(HKEY key, const RegistryEntryLine& entry, const char* data) {
    RegistryValueBytes value = EncodeRegistryValue(entry.type, data);
    if (value.systemType == 0) return;
    // Errors while setting the value are not the user's concern: the walk goes on.
    RegSetValueExA(key, ValueName(entry), 0, value.systemType, reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
}
}  // namespace

HKEY OpenBaseKey(RegistryRoot root) {
    const RegistryMacro* macro = FindRegistryMacro(root);
    if (!macro) return PredefinedKey(root);
    HKEY key = nullptr;
    if (RegOpenKeyExA(PredefinedKey(macro->baseRoot), macro->subkey, 0, MAXIMUM_ALLOWED | KitRegistryView(), &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool ApplyRegistryEntry(const RegistryEntryLine& entry, const char* directoryPath) {
    StrBuf data = RegistryEntryData(entry, directoryPath);
    if (!RegistryEntryTouchesKey(entry, data)) return true;
    RegKey key;
    {
        BaseKey base(entry.root);
        if (!base.get() || RegCreateKeyExA(base.get(), entry.keyPath, 0, nullptr, 0, KEY_ALL_ACCESS | KitRegistryView(),
                                           nullptr, key.put(), nullptr) != ERROR_SUCCESS)
            return false;
    }
    WriteValue(key.get(), entry, data);
    return true;
}

bool RemoveRegistryEntry(const RegistryEntryLine& entry) {
    if (entry.keyPath.IsEmpty()) return true;
    BaseKey base(entry.root);
    if (!base.get()) return true;
    if (RegistryEntryNamesWholeKey(entry)) {
        DeleteKeyTree(base.get(), entry.keyPath, KitRegistryView());
        return true;
    }
    RegKey key;
    if (RegOpenKeyExA(base.get(), entry.keyPath, 0, KEY_SET_VALUE | KitRegistryView(), key.put()) == ERROR_SUCCESS)
        RegDeleteValueA(key.get(), ValueName(entry));
    return true;
}
