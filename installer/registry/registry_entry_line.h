#pragma once
// A registry line of a component's registry sections: which value of which key the
// installer sets and the uninstaller deletes, its root and type names, and the line
// written back into the record copy. Pure text work.
#include <string>
#include "installer/core/strbuf.h"

// Roots a line may name: the four predefined root keys, then the macros, each standing
// for a fixed key below one of them.
enum RegistryRoot {
    kRootClassesRoot, kRootCurrentUser, kRootLocalMachine, kRootUsers,
    kRootVxd, kRootServices, kRootClass, kRootEnum, kRootHlmSoftware, kRootHcuSoftware,
    kRootHlmWindows, kRootHcuWindows, kRootHlmWindowsCurrent, kRootHcuWindowsCurrent,
};

// The key a macro root stands for; null for a predefined root.
struct RegistryMacro {
    RegistryRoot baseRoot;   // one of the four predefined roots
    const char* subkey;
};
const RegistryMacro* FindRegistryMacro(RegistryRoot root);
// The first name of the root table for the root ("HKEY_CLASSES_ROOT" for "_HCR_").
const char* RegistryRootName(RegistryRoot root);

// Type codes of a line: 1, 3 and 4 are the system's REG_SZ, REG_BINARY and REG_DWORD.
enum RegistryValueType {
    kTypeString = 1, kTypeBinary = 3, kTypeDword = 4, kTypeByte = 0x4001, kTypeWord = 0x4002,
};
const char* RegistryTypeName(int type);   // "REG_SZ" for an unknown code

struct RegistryEntryLine {
    StrBuf keyPath;
    StrBuf valueName;         // "NULL" (any case) names the key's default value
    StrBuf data;              // as written in the line
    int directoryId = 0;      // destination directory whose path goes before the data; 0 none
    RegistryRoot root = kRootClassesRoot;
    int type = kTypeString;

    bool NamesDefaultValue() const { return valueName.EqualsNoCase("NULL"); }
};

// root "," type "," key path "," value name "," directory id ":" data; unknown root and
// type names give HKEY_CLASSES_ROOT and REG_SZ.
RegistryEntryLine ParseRegistryEntryLine(const char* text);
// The line for the record copy, with the tables' first names; empty without a key path.
StrBuf WriteRegistryEntryLine(const RegistryEntryLine& entry);

// What a value of this type holds for the given data: systemType 0 means nothing is
// written; bytes are the value's contents (a REG_SZ keeps its terminating zero).
struct RegistryValueBytes {
    unsigned long systemType = 0;
    std::string bytes;
};
RegistryValueBytes EncodeRegistryValue(int type, const char* data);

// The data an install sets: after directoryPath and a backslash when the entry has a directory
// (directoryPath non-null), else as written.
StrBuf RegistryEntryData(const RegistryEntryLine& entry, const char* directoryPath);
// Whether an install opens the entry's key at all: a line without a key, a value name or data
// does nothing (a line without a value name stands for its whole key, which the removal deletes).
bool RegistryEntryTouchesKey(const RegistryEntryLine& entry, const StrBuf& data);
// A line that names no value: the removal deletes the whole key tree.
inline bool RegistryEntryNamesWholeKey(const RegistryEntryLine& entry) { return entry.valueName.IsEmpty(); }
