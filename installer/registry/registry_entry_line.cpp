#include "installer/registry/registry_entry_line.h"

#include <cstring>
#include "installer/core/path_text.h"
#include "installer/script/script_reader.h"

namespace {
struct RootRow { const char* name; RegistryRoot root; };
const RootRow kRootTable[] = {
    {"HKEY_CLASSES_ROOT", kRootClassesRoot}, {"HKEY_CURRENT_USER", kRootCurrentUser},
    {"HKEY_LOCAL_MACHINE", kRootLocalMachine}, {"HKEY_USERS", kRootUsers},
    {"_HCR_", kRootClassesRoot}, {"_HCU_", kRootCurrentUser}, {"_HLM_", kRootLocalMachine}, {"_HUR_", kRootUsers},
    {"_VXD_", kRootVxd}, {"_SERVICES_", kRootServices}, {"_CLASS_", kRootClass}, {"_ENUM_", kRootEnum},
    {"_HLMSW_", kRootHlmSoftware}, {"_HCUSW_", kRootHcuSoftware},
    {"_HLMWIN_", kRootHlmWindows}, {"_HCUWIN_", kRootHcuWindows},
    {"_HLMWINCUR_", kRootHlmWindowsCurrent}, {"_HCUWINCUR_", kRootHcuWindowsCurrent},
};

struct MacroRow { RegistryRoot root; RegistryMacro macro; };
const MacroRow kMacros[] = {
    {kRootVxd, {kRootLocalMachine, "System\\CurrentControlSet\\Services\\VxD"}},
    {kRootServices, {kRootLocalMachine, "System\\CurrentControlSet\\Services"}},
    {kRootClass, {kRootLocalMachine, "System\\CurrentControlSet\\Services\\Class"}},
    {kRootEnum, {kRootLocalMachine, "ENUM"}},
    {kRootHlmSoftware, {kRootLocalMachine, "Software"}},
    {kRootHcuSoftware, {kRootCurrentUser, "Software"}},
    {kRootHlmWindows, {kRootLocalMachine, "Software\\Microsoft\\Windows"}},
    {kRootHcuWindows, {kRootCurrentUser, "Software\\Microsoft\\Windows"}},
    {kRootHlmWindowsCurrent, {kRootLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion"}},
    {kRootHcuWindowsCurrent, {kRootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion"}},
};

struct TypeRow { const char* name; int type; };
const TypeRow kTypeTable[] = {
    {"REG_SZ", kTypeString}, {"REG_BINARY", kTypeBinary}, {"REG_DWORD", kTypeDword},
    {"_DWORD_", kTypeDword}, {"_WORD_", kTypeWord}, {"_BYTE_", kTypeByte},
};

RegistryRoot RootNamed(const StrBuf& name) {
    for (const RootRow& row : kRootTable)
        if (name.EqualsNoCase(row.name)) return row.root;
    return kRootClassesRoot;
}

int TypeNamed(const StrBuf& name) {
    for (const TypeRow& row : kTypeTable)
        if (name.EqualsNoCase(row.name)) return row.type;
    return kTypeString;
}

std::string LittleEndian(unsigned long value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}
}  // namespace

const RegistryMacro* FindRegistryMacro(RegistryRoot root) {
    for (const MacroRow& row : kMacros)
        if (row.root == root) return &row.macro;
    return nullptr;
}

const char* RegistryRootName(RegistryRoot root) {
    for (const RootRow& row : kRootTable)
        if (row.root == root) return row.name;
    return kRootTable[0].name;
}

const char* RegistryTypeName(int type) {
    for (const TypeRow& row : kTypeTable)
        if (row.type == type) return row.name;
    return kTypeTable[0].name;
}

RegistryEntryLine ParseRegistryEntryLine(const char* text) {
    RegistryEntryLine entry;
    StrBuf line(text);
    entry.root = RootNamed(NextField(line, ',', true));
    entry.type = TypeNamed(NextField(line, ',', true));
    // Further groups on the line replace the earlier ones.
    while (!line.IsEmpty()) {
        entry.keyPath = NextField(line, ',', true);
        entry.valueName = NextField(line, ',', true);
        entry.directoryId = ParseDecimal(NextField(line, ':', true));
        entry.data = NextField(line, ',', true);
    }
    return entry;
}

StrBuf WriteRegistryEntryLine(const RegistryEntryLine& entry) {
    if (entry.keyPath.IsEmpty()) return StrBuf();
    StrBuf line = StrBuf(RegistryRootName(entry.root)) + "," + RegistryTypeName(entry.type) + "," +
                  QuotedField(entry.keyPath);
    if (entry.valueName.IsEmpty()) return line;
    line += ",";
    line += QuotedField(entry.valueName);
    if (entry.directoryId != 0 || !entry.data.IsEmpty()) {
        StrBuf id;
        id.Format(",%d:", entry.directoryId);
        line += id;
        line += QuotedField(entry.data);
    }
    return line;
}

RegistryValueBytes EncodeRegistryValue(int type, const char* data) {
    RegistryValueBytes value;
    if (!data) data = "";
    // Numbers wrap to their width as the system's unsigned types do: 300 as a byte is 0x2C.
    unsigned long number = static_cast<unsigned long>(static_cast<unsigned>(ParseDecimal(data)));
    switch (type) {
    case kTypeString: value.systemType = 1; value.bytes.assign(data, strlen(data) + 1); break;
    case kTypeDword: value.systemType = 4; value.bytes = LittleEndian(number, 4); break;
    case kTypeWord: value.systemType = 3; value.bytes = LittleEndian(number, 2); break;
    case kTypeByte: value.systemType = 3; value.bytes = LittleEndian(number, 1); break;
    default: break;   // REG_BINARY lines are accepted but write nothing
    }
    return value;
}

StrBuf RegistryEntryData(const RegistryEntryLine& entry, const char* directoryPath) {
    return directoryPath ? JoinPath(directoryPath, entry.data) : entry.data;
}

bool RegistryEntryTouchesKey(const RegistryEntryLine& entry, const StrBuf& data) {
    return !entry.keyPath.IsEmpty() && !entry.valueName.IsEmpty() && !data.IsEmpty();
}
