#pragma once
// Applying and removing a registry line on the machine.
#include <windows.h>
#include "installer/registry/registry_entry_line.h"

// The key a root stands for: the predefined key itself, or a macro's key opened below its
// base. Null when a macro's key cannot be opened, so nothing is ever written elsewhere.
HKEY OpenBaseKey(RegistryRoot root);

// A root's key, closed at the end only when it was opened here.
class BaseKey {
public:
    explicit BaseKey(RegistryRoot root) : key_(OpenBaseKey(root)), owned_(FindRegistryMacro(root) != nullptr) {}
    ~BaseKey() { if (owned_ && key_) RegCloseKey(key_); }
    BaseKey(const BaseKey&) = delete;
    BaseKey& operator=(const BaseKey&) = delete;
    HKEY get() const { return key_; }
private:
    HKEY key_;
    bool owned_;
};

// Sets the entry's value; the data follows directoryPath and a backslash when the entry has
// a directory (directoryPath non-null). True when done or nothing was to be done; false
// when the key could not be created.
bool ApplyRegistryEntry(const RegistryEntryLine& entry, const char* directoryPath);
// Deletes the entry's value, or its whole key tree when it names no value. Always true.
bool RemoveRegistryEntry(const RegistryEntryLine& entry);
