// Registry lines applied to and removed from Wine's real registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/core/process_facts.h"
#include "installer/registry/registry_entry.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/registry_view.h"

namespace {
// Read back in the view the kit's entries are written in: on 64-bit Windows the 64-bit one,
// also from the 32-bit build.
bool KeyThere(HKEY root, const std::string& path, REGSAM view = KitRegistryView()) {
    RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

struct Value {
    bool there = false;
    DWORD type = 0;
    std::string bytes;
};
Value ReadValue(HKEY root, const std::string& path, const char* name, REGSAM view = KitRegistryView()) {
    Value value;
    RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return value;
    char buffer[1024];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return value;
    value.there = true;
    value.bytes.assign(buffer, size);
    return value;
}
std::string Sz(const char* text) { return std::string(text, strlen(text) + 1); }

bool Apply(const char* line, const char* directory = nullptr) {
    return ApplyRegistryEntry(ParseRegistryEntryLine(line), directory);
}
bool Remove(const char* line) { return RemoveRegistryEntry(ParseRegistryEntryLine(line)); }

// A macro's base key made for the test when the prefix lacks it, and removed again.
class MacroBase {
public:
    explicit MacroBase(const RegistryMacro& macro) : root_(Root(macro.baseRoot)), path_(macro.subkey) {
        made_ = !KeyThere(root_, path_);
        if (made_) {
            RegKey key;
            RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_WRITE | KitRegistryView(), nullptr, key.put(),
                            nullptr);
        }
    }
    ~MacroBase() { if (made_) DeleteKeyTree(root_, path_.c_str(), KitRegistryView()); }
    HKEY root() const { return root_; }
    const std::string& path() const { return path_; }
    static HKEY Root(RegistryRoot r) { return r == kRootCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
private:
    HKEY root_;
    std::string path_;
    bool made_;
};

// The registry view depends on the architecture start-up fixes; it is process-wide, so each
// test fixes it as start-up does instead of taking what an earlier test left.
class RegistryEntries : public ::testing::Test {
protected:
    void SetUp() override { ComputeNativeArchitecture(); }
};
}  // namespace

TEST_F(RegistryEntries, PredefinedRootsUnderEveryName) {
    struct Row { const char* name; HKEY root; const char* key; };
    const Row rows[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT, "ZvRegTest"}, {"_HCR_", HKEY_CLASSES_ROOT, "ZvRegTest"},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER, "Software\\ZvRegTest"}, {"_HCU_", HKEY_CURRENT_USER, "Software\\ZvRegTest"},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, "Software\\ZvRegTest"}, {"_hlm_", HKEY_LOCAL_MACHINE, "Software\\ZvRegTest"},
        {"HKEY_USERS", HKEY_USERS, ".DEFAULT\\Software\\ZvRegTest"}, {"_HUR_", HKEY_USERS, ".DEFAULT\\Software\\ZvRegTest"},
        {"NoSuchRoot", HKEY_CLASSES_ROOT, "ZvRegTest"},
    };
    for (const Row& row : rows) {
        std::string key = std::string(row.key) + "\\Deeper";
        std::string line = std::string(row.name) + ",REG_SZ," + key + ",Name,0:" + row.name;
        EXPECT_TRUE(Apply(line.c_str())) << row.name;
        Value value = ReadValue(row.root, key, "Name");
        EXPECT_EQ(DWORD(REG_SZ), value.type) << row.name;
        EXPECT_EQ(Sz(row.name), value.bytes) << row.name;
        std::string whole = std::string(row.name) + ",REG_SZ," + row.key;
        EXPECT_TRUE(Remove(whole.c_str())) << row.name;
        EXPECT_FALSE(KeyThere(row.root, row.key)) << row.name;
    }
}

// One test: the macro bases it creates must not be seen by the check for a missing base.
TEST_F(RegistryEntries, MacrosWriteBelowTheirFixedKeysAndAMissingBaseWritesNowhere) {
    ASSERT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, "ENUM")) << "this test needs a prefix without HKLM\\ENUM";
    EXPECT_EQ(nullptr, OpenBaseKey(kRootEnum));
    EXPECT_FALSE(Apply("_ENUM_,REG_SZ,ZvEnumTest,Value,0:x"));
    EXPECT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, "ENUM"));
    EXPECT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, "ZvEnumTest"));
    EXPECT_FALSE(KeyThere(HKEY_CLASSES_ROOT, "ZvEnumTest"));
    EXPECT_TRUE(Remove("_ENUM_,REG_SZ,ZvEnumTest,Value"));
    EXPECT_TRUE(Remove("_ENUM_,REG_SZ,ZvEnumTest"));
    for (RegistryRoot root : {kRootVxd, kRootServices, kRootClass, kRootEnum, kRootHlmSoftware, kRootHcuSoftware,
                              kRootHlmWindows, kRootHcuWindows, kRootHlmWindowsCurrent, kRootHcuWindowsCurrent}) {
        const RegistryMacro* macro = FindRegistryMacro(root);
        ASSERT_NE(nullptr, macro);
        MacroBase base(*macro);
        std::string name = RegistryRootName(root);
        std::string line = name + ",REG_SZ,ZvMacroTest\\Sub,Value,0:" + name;
        EXPECT_TRUE(Apply(line.c_str())) << name;
        EXPECT_EQ(Sz(name.c_str()), ReadValue(base.root(), base.path() + "\\ZvMacroTest\\Sub", "Value").bytes) << name;
        std::string whole = name + ",REG_SZ,ZvMacroTest";
        EXPECT_TRUE(Remove(whole.c_str())) << name;
        EXPECT_FALSE(KeyThere(base.root(), base.path() + "\\ZvMacroTest")) << name;
        EXPECT_TRUE(KeyThere(base.root(), base.path())) << name;
    }
}

TEST_F(RegistryEntries, EachTypeWritesItsValue) {
    struct Row { const char* type; const char* data; bool written; DWORD systemType; std::string bytes; };
    const Row rows[] = {
        {"REG_SZ", "Tablet", true, REG_SZ, Sz("Tablet")},
        {"REG_DWORD", "258", true, REG_DWORD, std::string("\x02\x01\x00\x00", 4)},
        {"_DWORD_", "-2", true, REG_DWORD, std::string("\xfe\xff\xff\xff", 4)},
        {"_WORD_", "70000", true, REG_BINARY, std::string("\x70\x11", 2)},
        {"_BYTE_", "300", true, REG_BINARY, std::string("\x2c", 1)},
        {"REG_BINARY", "1234", false, 0, ""},
    };
    for (const Row& row : rows) {
        std::string line = std::string("_HCU_,") + row.type + ",Software\\ZvTypeTest,Value,0:" + row.data;
        EXPECT_TRUE(Apply(line.c_str())) << row.type;
        Value value = ReadValue(HKEY_CURRENT_USER, "Software\\ZvTypeTest", "Value");
        EXPECT_EQ(row.written, value.there) << row.type;
        if (row.written) {
            EXPECT_EQ(row.systemType, value.type) << row.type;
            EXPECT_EQ(row.bytes, value.bytes) << row.type;
        }
        EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvTypeTest")) << row.type;
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\ZvTypeTest", KitRegistryView());
    }
}

TEST_F(RegistryEntries, NullNamesTheDefaultValueWhenSettingAndDeleting) {
    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvNullTest,NULL,0:Default text"));
    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvNullTest,Other,0:kept"));
    EXPECT_EQ(Sz("Default text"), ReadValue(HKEY_CURRENT_USER, "Software\\ZvNullTest", nullptr).bytes);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, "Software\\ZvNullTest", "NULL").there);
    EXPECT_TRUE(Remove("_HCU_,REG_SZ,Software\\ZvNullTest,null"));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, "Software\\ZvNullTest", nullptr).there);
    EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, "Software\\ZvNullTest", "Other").there);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\ZvNullTest", KitRegistryView());
}

TEST_F(RegistryEntries, ADirectoryPutsTheInstalledPathBeforeTheDataAndRemovalKeepsTheKey) {
    const char* line = "_HLMWINCUR_,REG_SZ,ZvRun,Tablet,3:TABLET.EXE";
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\ZvRun";
    EXPECT_TRUE(Apply(line, "C:\\Program Files\\Tablet"));
    EXPECT_EQ(Sz("C:\\Program Files\\Tablet\\TABLET.EXE"), ReadValue(HKEY_LOCAL_MACHINE, key, "Tablet").bytes);
    EXPECT_TRUE(Apply(line, "C:\\Tablet\\"));
    EXPECT_EQ(Sz("C:\\Tablet\\TABLET.EXE"), ReadValue(HKEY_LOCAL_MACHINE, key, "Tablet").bytes);
    EXPECT_TRUE(Apply("_HLMWINCUR_,REG_SZ,ZvRun,Folder,3:", "C:\\Tablet"));   // the folder with a backslash
    EXPECT_EQ(Sz("C:\\Tablet\\"), ReadValue(HKEY_LOCAL_MACHINE, key, "Folder").bytes);

    EXPECT_TRUE(Remove(line));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, key, "Tablet").there);
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, key, "Folder").there);
    EXPECT_TRUE(KeyThere(HKEY_LOCAL_MACHINE, key));
    DeleteKeyTree(HKEY_LOCAL_MACHINE, key.c_str(), KitRegistryView());
}

TEST_F(RegistryEntries, WithoutValueNameNothingIsSetAndRemovalTakesTheWholeTree) {
    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvTreeTest"));
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvTreeTest"));
    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvTreeTest,Empty,0:"));   // empty data: nothing either
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvTreeTest"));

    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvTreeTest\\A\\B,V,0:1"));
    EXPECT_TRUE(Apply("_HCU_,REG_SZ,Software\\ZvTreeTest\\C,V,0:1"));
    EXPECT_TRUE(Remove("_HCU_,REG_SZ,Software\\ZvTreeTest"));
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvTreeTest"));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(Remove("_HCU_,REG_SZ,"));   // no key: nothing to do
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software"));
}

TEST_F(RegistryEntries, AWrittenLineRemovesWhatTheOriginalLineSet) {
    RegistryEntryLine entry = ParseRegistryEntryLine("_HCR_,_DWORD_,ZvRecordTest\\Counts,Hits,0:7");
    EXPECT_TRUE(ApplyRegistryEntry(entry, nullptr));
    StrBuf written = WriteRegistryEntryLine(entry);
    EXPECT_STREQ("HKEY_CLASSES_ROOT,REG_DWORD,ZvRecordTest\\Counts,Hits,0:7", written);
    Value value = ReadValue(HKEY_CLASSES_ROOT, "ZvRecordTest\\Counts", "Hits");
    EXPECT_EQ(DWORD(REG_DWORD), value.type);
    EXPECT_TRUE(RemoveRegistryEntry(ParseRegistryEntryLine(written)));
    EXPECT_FALSE(ReadValue(HKEY_CLASSES_ROOT, "ZvRecordTest\\Counts", "Hits").there);
    DeleteKeyTree(HKEY_CLASSES_ROOT, "ZvRecordTest", KitRegistryView());
}

// On 64-bit Windows a machine-wide entry is where the kit's 64-bit programs read it, also when
// the 32-bit build writes it: nothing of it may land in the 32-bit view (Wow6432Node), and
// its removal takes it from the 64-bit view.
TEST_F(RegistryEntries, MachineEntriesGoToTheNativeViewOnSixtyFourBitWindows) {
    BOOL wow64 = FALSE;   // asked of the system, not of the installer's own view rule
    bool windows64 = sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
    if (!windows64) GTEST_SKIP() << "32-bit Windows has one registry view";
    const std::string key = "Software\\ZvViewTest";
    EXPECT_TRUE(Apply("HKEY_LOCAL_MACHINE,REG_SZ,Software\\ZvViewTest\\Sub,Name,0:native"));
    EXPECT_EQ(Sz("native"), ReadValue(HKEY_LOCAL_MACHINE, key + "\\Sub", "Name", KEY_WOW64_64KEY).bytes);
    EXPECT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY));
    EXPECT_TRUE(Remove("HKEY_LOCAL_MACHINE,REG_SZ,Software\\ZvViewTest\\Sub,Name"));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, key + "\\Sub", "Name", KEY_WOW64_64KEY).there);
    EXPECT_TRUE(Remove("HKEY_LOCAL_MACHINE,REG_SZ,Software\\ZvViewTest"));
    EXPECT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY));
}
