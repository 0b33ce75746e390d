// Registry lines of the component sections: names, fields, the written-back form and the
// bytes each type stores.
#include <gtest/gtest.h>
#include <string>
#include "installer/registry/registry_entry_line.h"

TEST(RegistryEntryLine, EveryRootNameAndMacroIsRecognisedInAnyCase) {
    struct Row { const char* name; RegistryRoot root; };
    const Row rows[] = {
        {"HKEY_CLASSES_ROOT", kRootClassesRoot}, {"HKEY_CURRENT_USER", kRootCurrentUser},
        {"HKEY_LOCAL_MACHINE", kRootLocalMachine}, {"HKEY_USERS", kRootUsers},
        {"_HCR_", kRootClassesRoot}, {"_HCU_", kRootCurrentUser}, {"_HLM_", kRootLocalMachine}, {"_HUR_", kRootUsers},
        {"_VXD_", kRootVxd}, {"_SERVICES_", kRootServices}, {"_CLASS_", kRootClass}, {"_ENUM_", kRootEnum},
        {"_HLMSW_", kRootHlmSoftware}, {"_HCUSW_", kRootHcuSoftware}, {"_HLMWIN_", kRootHlmWindows},
        {"_HCUWIN_", kRootHcuWindows}, {"_HLMWINCUR_", kRootHlmWindowsCurrent}, {"_HCUWINCUR_", kRootHcuWindowsCurrent},
        {"hkey_local_machine", kRootLocalMachine}, {"_hlmwincur_", kRootHlmWindowsCurrent},
        {"HKLM", kRootClassesRoot}, {"", kRootClassesRoot}, {"_HLMWINCUR", kRootClassesRoot},
    };
    for (const Row& row : rows) {
        std::string line = std::string(" ") + row.name + " ,REG_SZ,Key,Value,0:x";
        EXPECT_EQ(row.root, ParseRegistryEntryLine(line.c_str()).root) << row.name;
    }
}

TEST(RegistryEntryLine, MacrosStandForFixedKeysBelowMachineOrUser) {
    struct Row { RegistryRoot root; RegistryRoot base; const char* subkey; };
    const Row rows[] = {
        {kRootVxd, kRootLocalMachine, "System\\CurrentControlSet\\Services\\VxD"},
        {kRootServices, kRootLocalMachine, "System\\CurrentControlSet\\Services"},
        {kRootClass, kRootLocalMachine, "System\\CurrentControlSet\\Services\\Class"},
        {kRootEnum, kRootLocalMachine, "ENUM"},
        {kRootHlmSoftware, kRootLocalMachine, "Software"},
        {kRootHcuSoftware, kRootCurrentUser, "Software"},
        {kRootHlmWindows, kRootLocalMachine, "Software\\Microsoft\\Windows"},
        {kRootHcuWindows, kRootCurrentUser, "Software\\Microsoft\\Windows"},
        {kRootHlmWindowsCurrent, kRootLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion"},
        {kRootHcuWindowsCurrent, kRootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion"},
    };
    for (const Row& row : rows) {
        const RegistryMacro* macro = FindRegistryMacro(row.root);
        ASSERT_NE(nullptr, macro) << row.subkey;
        EXPECT_EQ(row.base, macro->baseRoot);
        EXPECT_STREQ(row.subkey, macro->subkey);
    }
    for (RegistryRoot predefined : {kRootClassesRoot, kRootCurrentUser, kRootLocalMachine, kRootUsers})
        EXPECT_EQ(nullptr, FindRegistryMacro(predefined));
}

TEST(RegistryEntryLine, TypeNamesGiveTheirCodesUnknownGivesString) {
    struct Row { const char* name; int type; };
    const Row rows[] = {
        {"REG_SZ", 1}, {"REG_BINARY", 3}, {"REG_DWORD", 4}, {"_DWORD_", 4}, {"_WORD_", 0x4002},
        {"_BYTE_", 0x4001}, {"reg_dword", 4}, {"REG_EXPAND_SZ", 1}, {"", 1},
    };
    for (const Row& row : rows) {
        std::string line = std::string("HKEY_CURRENT_USER,") + row.name + ",Key,Value,0:1";
        EXPECT_EQ(row.type, ParseRegistryEntryLine(line.c_str()).type) << row.name;
    }
}

TEST(RegistryEntryLine, FieldsAreTrimmedAndTheDirectoryIdStandsBeforeTheData) {
    RegistryEntryLine entry = ParseRegistryEntryLine("_HLMWINCUR_, REG_SZ , Run , Tablet , 3 : TABLET.EXE ");
    EXPECT_EQ(kRootHlmWindowsCurrent, entry.root);
    EXPECT_STREQ("Run", entry.keyPath);
    EXPECT_STREQ("Tablet", entry.valueName);
    EXPECT_EQ(3, entry.directoryId);
    EXPECT_STREQ("TABLET.EXE", entry.data);

    // Without an id the data's text up to its first ":" is taken as the id and lost.
    RegistryEntryLine noId = ParseRegistryEntryLine("_HCU_,REG_SZ,Key,Path,C:\\Tablet\\x.exe");
    EXPECT_EQ(0, noId.directoryId);
    EXPECT_STREQ("\\Tablet\\x.exe", noId.data);

    RegistryEntryLine keyOnly = ParseRegistryEntryLine("HKEY_CLASSES_ROOT,REG_SZ,Zorvant.Pen");
    EXPECT_STREQ("Zorvant.Pen", keyOnly.keyPath);
    EXPECT_TRUE(keyOnly.valueName.IsEmpty());
    EXPECT_TRUE(keyOnly.data.IsEmpty());

    RegistryEntryLine quoted = ParseRegistryEntryLine("_HCU_,REG_SZ,Key,Name,0:\"a, b\"");
    EXPECT_STREQ("a, b", quoted.data);

    EXPECT_TRUE(ParseRegistryEntryLine("_HCU_,REG_SZ,Key,null,0:x").NamesDefaultValue());
    EXPECT_TRUE(ParseRegistryEntryLine("_HCU_,REG_SZ,Key,NULL,0:x").NamesDefaultValue());
    EXPECT_FALSE(ParseRegistryEntryLine("_HCU_,REG_SZ,Key,NULLS,0:x").NamesDefaultValue());
}

TEST(RegistryEntryLine, WrittenLinesUseTheTablesFirstNamesAndReadBackTheSame) {
    struct Row { const char* in; const char* out; };
    const Row rows[] = {
        {"_HCR_,_DWORD_,Key,Count,0:5", "HKEY_CLASSES_ROOT,REG_DWORD,Key,Count,0:5"},
        {"_hlm_ , _byte_ , A\\B , V , 2 : 300", "HKEY_LOCAL_MACHINE,_BYTE_,A\\B,V,2:300"},
        {"_HLMWINCUR_,REG_SZ,Run,Tablet,3:TABLET.EXE", "_HLMWINCUR_,REG_SZ,Run,Tablet,3:TABLET.EXE"},
        {"Nonsense,Nonsense,Key,Name,0:x", "HKEY_CLASSES_ROOT,REG_SZ,Key,Name,0:x"},
        {"_HUR_,_WORD_,Key,Name", "HKEY_USERS,_WORD_,Key,Name"},
        {"_HCU_,REG_SZ,Key,Name,7:", "HKEY_CURRENT_USER,REG_SZ,Key,Name,7:"},
        {"_ENUM_,REG_BINARY,Key", "_ENUM_,REG_BINARY,Key"},
        {"_HCU_,REG_SZ,,Name,0:x", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        RegistryEntryLine entry = ParseRegistryEntryLine(row.in);
        StrBuf line = WriteRegistryEntryLine(entry);
        EXPECT_STREQ(row.out, line) << row.in;
        if (line.IsEmpty()) continue;   // an entry without a key is not written back
        RegistryEntryLine again = ParseRegistryEntryLine(line);
        EXPECT_EQ(entry.root, again.root) << row.in;
        EXPECT_EQ(entry.type, again.type) << row.in;
        EXPECT_STREQ(entry.keyPath, again.keyPath) << row.in;
        EXPECT_STREQ(entry.valueName, again.valueName) << row.in;
        if (!entry.valueName.IsEmpty()) {
            EXPECT_EQ(entry.directoryId, again.directoryId) << row.in;
            EXPECT_STREQ(entry.data, again.data) << row.in;
        }
    }
}

TEST(RegistryEntryLine, EachTypeStoresItsBytes) {
    struct Row { int type; const char* data; unsigned long systemType; std::string bytes; };
    const Row rows[] = {
        {kTypeString, "C:\\Tablet", 1, std::string("C:\\Tablet", 10)},
        {kTypeDword, "258", 4, std::string("\x02\x01\x00\x00", 4)},
        {kTypeDword, "-1", 4, std::string("\xff\xff\xff\xff", 4)},
        {kTypeDword, "99999999999", 4, std::string("\xff\xff\xff\x7f", 4)},   // saturates, never overflows
        {kTypeWord, "70000", 3, std::string("\x70\x11", 2)},
        {kTypeByte, "300", 3, std::string("\x2c", 1)},
        {kTypeByte, "abc", 3, std::string("\x00", 1)},
        {kTypeBinary, "1234", 0, ""},
        {0x1234, "1", 0, ""},
    };
    for (const Row& row : rows) {
        RegistryValueBytes value = EncodeRegistryValue(row.type, row.data);
        EXPECT_EQ(row.systemType, value.systemType) << row.type << " " << row.data;
        EXPECT_EQ(row.bytes, value.bytes) << row.type << " " << row.data;
    }
}
