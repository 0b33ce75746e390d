// Path macros, special folders and key-tree deletion against Wine's real registry and folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/well_known_locations.h"

namespace {
const char kOffice[] = "Software\\Microsoft\\Office";
const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";

bool KeyThere(HKEY root, const std::string& path) {
    RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void SetText(HKEY root, const std::string& path, const char* name, const std::string& value) {
    RegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                            static_cast<DWORD>(value.size() + 1)));
}

// Expands a copy; the text afterwards, or "FALSE:" and the text when it failed.
std::string Expanded(const char* path) {
    StrBuf text(path);
    bool ok = ExpandPathMacro(text);
    return ok ? std::string(text.c_str()) : "FALSE:" + std::string(text.c_str());
}

std::string WindowsDir() { char b[MAX_PATH]; GetWindowsDirectoryA(b, MAX_PATH); return b; }
std::string SystemDir() { char b[MAX_PATH]; GetSystemDirectoryA(b, MAX_PATH); return b; }

// Office versions written by a test, removed again with the office key when it made it.
class OfficeKeys {
public:
    OfficeKeys() : hadOffice_(KeyThere(HKEY_LOCAL_MACHINE, kOffice)) {}
    ~OfficeKeys() {
        for (const char* v : {"15.0", "14.0", "13.0", "12.0", "11.0", "10.0", "9.0", "8.0", "7.0"})
            DeleteKeyTree(HKEY_LOCAL_MACHINE, (std::string(kOffice) + "\\" + v).c_str());
        if (!hadOffice_) DeleteKeyTree(HKEY_LOCAL_MACHINE, kOffice);
    }
    void Install(const char* version, const std::string& root) {
        SetText(HKEY_LOCAL_MACHINE, std::string(kOffice) + "\\" + version + "\\Word\\InstallRoot", "Path", root);
    }
    void Remove(const char* version) { DeleteKeyTree(HKEY_LOCAL_MACHINE, (std::string(kOffice) + "\\" + version).c_str()); }
private:
    bool hadOffice_;
};
}  // namespace

TEST(PathMacros, SystemFoldersExpandInAnyCaseWithTheRestAppendedAsIs) {
    EXPECT_EQ(WindowsDir() + "\\INF", Expanded("%Windows%\\INF"));
    EXPECT_EQ(WindowsDir() + "\\INF", Expanded("%windows%\\INF"));
    EXPECT_EQ(WindowsDir() + "\\INF", Expanded("%WINDOWS%\\INF"));
    EXPECT_EQ(WindowsDir() + "Fonts", Expanded("%Windows%Fonts"));   // no separator added
    EXPECT_EQ(WindowsDir(), Expanded("%Windows%"));
    EXPECT_EQ(SystemDir() + "\\drivers", Expanded("%System%\\drivers"));
    EXPECT_EQ(SystemDir(), Expanded("%system%"));
    // The Windows folder and "System32", not the system folder as the system names it.
    EXPECT_EQ(WindowsDir() + "\\System32\\x.dll", Expanded("%System32%\\x.dll"));
}

TEST(PathMacros, ProgramFilesComesFromTheCurrentVersionKey) {
    char value[512] = "";
    DWORD size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                                          "ProgramFilesDir", RRF_RT_REG_SZ, nullptr, value, &size));
    ASSERT_NE('\0', value[0]);
    EXPECT_EQ(std::string(value) + "\\Tablet", Expanded("%Program Files%\\Tablet"));
    EXPECT_EQ(std::string(value) + "\\Tablet", Expanded("%program files%\\Tablet"));
}

TEST(PathMacros, OfficeWordTakesTheNewestInstalledVersionWithoutQuotes) {
    OfficeKeys office;
    EXPECT_EQ("FALSE:%OfficeWord%\\Startup", Expanded("%OfficeWord%\\Startup"));
    office.Install("12.0", "C:\\Office12\\");
    EXPECT_EQ("C:\\Office12\\Startup", Expanded("%OfficeWord%Startup"));
    office.Install("14.0", "\"C:\\Program Files\\Office 14\\\"");
    EXPECT_EQ("C:\\Program Files\\Office 14\\Startup", Expanded("%officeword%Startup"));
    office.Install("7.0", "C:\\Old");
    EXPECT_EQ("C:\\Program Files\\Office 14\\Startup", Expanded("%OfficeWord%Startup"));
    // An empty install root is no folder: the next older version answers.
    office.Install("15.0", "");
    EXPECT_EQ("C:\\Program Files\\Office 14\\Startup", Expanded("%OfficeWord%Startup"));
    office.Remove("14.0");
    office.Remove("12.0");
    EXPECT_EQ("C:\\Old\\x", Expanded("%OfficeWord%\\x"));

    StrBuf root;
    EXPECT_TRUE(FindWordInstallRoot("7.0", root));
    EXPECT_STREQ("C:\\Old", root);
    EXPECT_FALSE(FindWordInstallRoot("14.0", root));
}

TEST(PathMacros, AppPathUsesThePathValueElseTheProgramsFolder) {
    std::string withPath = std::string(kAppPaths) + "\\ZvPathTest.exe";
    std::string withDefault = std::string(kAppPaths) + "\\ZvDefaultTest.exe";
    SetText(HKEY_LOCAL_MACHINE, withPath, "Path", "C:\\Zorvant\\Bin");
    SetText(HKEY_LOCAL_MACHINE, withPath, nullptr, "C:\\Elsewhere\\ZvPathTest.exe");
    SetText(HKEY_LOCAL_MACHINE, withDefault, nullptr, "C:\\Zorvant\\Tools\\ZvDefaultTest.exe");

    EXPECT_EQ("C:\\Zorvant\\Bin\\Data", Expanded("%AppPath:ZvPathTest.exe%\\Data"));
    EXPECT_EQ("C:\\Zorvant\\Bin\\Data", Expanded("%apppath:zvpathtest.exe%\\Data"));
    EXPECT_EQ("C:\\Zorvant\\Tools\\Data", Expanded("%AppPath:ZvDefaultTest.exe%\\Data"));
    EXPECT_EQ("FALSE:%AppPath:ZvMissing.exe%\\Data", Expanded("%AppPath:ZvMissing.exe%\\Data"));
    EXPECT_EQ("FALSE:%AppPath:%\\Data", Expanded("%AppPath:%\\Data"));
    EXPECT_EQ("FALSE:%OtherPath:ZvPathTest.exe%", Expanded("%OtherPath:ZvPathTest.exe%"));

    SetText(HKEY_LOCAL_MACHINE, withDefault, nullptr, "\"C:\\Program Files\\Zorvant\\ZvDefaultTest.exe\"");
    EXPECT_EQ("C:\\Program Files\\Zorvant\\Data", Expanded("%AppPath:ZvDefaultTest.exe%\\Data"));
    // A default value without a folder gives nothing.
    SetText(HKEY_LOCAL_MACHINE, withDefault, nullptr, "ZvDefaultTest.exe");
    EXPECT_EQ("FALSE:%AppPath:ZvDefaultTest.exe%", Expanded("%AppPath:ZvDefaultTest.exe%"));

    DeleteKeyTree(HKEY_LOCAL_MACHINE, withPath.c_str());
    DeleteKeyTree(HKEY_LOCAL_MACHINE, withDefault.c_str());
}

TEST(PathMacros, TextsThatAreNotMacrosStayAsTheyAre) {
    EXPECT_EQ("FALSE:%Temp%\\x", Expanded("%Temp%\\x"));
    EXPECT_EQ("FALSE:%%\\x", Expanded("%%\\x"));
    EXPECT_EQ("FALSE:%Windows\\INF", Expanded("%Windows\\INF"));
    EXPECT_EQ("FALSE:%", Expanded("%"));
    EXPECT_EQ("C:\\100%\\%Windows%", Expanded("C:\\100%\\%Windows%"));
    EXPECT_EQ(" %Windows%", Expanded(" %Windows%"));
    EXPECT_EQ("", Expanded(""));
}

TEST(SpecialFolders, TheShellsFoldersForGroupsAndShortcuts) {
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY,
                      CSIDL_COMMON_STARTUP, CSIDL_COMMON_DESKTOPDIRECTORY}) {
        char expected[MAX_PATH] = "";
        ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, expected)) << csidl;
        StrBuf path("stale");
        int length = GetSpecialFolderPath(nullptr, csidl, path);
        EXPECT_STREQ(expected, path) << csidl;
        EXPECT_EQ(static_cast<int>(strlen(expected)), length) << csidl;
        EXPECT_GT(length, 3) << csidl;
    }
}

TEST(SpecialFolders, AFolderTheShellDoesNotKnowGivesAnEmptyPath) {
    StrBuf path("stale");
    EXPECT_EQ(0, GetSpecialFolderPath(nullptr, 0x7E, path));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(KeyTrees, DeletionRemovesThreeLevelsWithSeveralSubkeysEach) {
    const std::string top = "Software\\ZvKeyTreeTest";
    for (const char* a : {"A", "B", "C"})
        for (const char* b : {"One", "Two", "Three", "Four"})
            for (const char* c : {"x", "y", "z"}) SetText(HKEY_CURRENT_USER, top + "\\" + a + "\\" + b + "\\" + c, "v", c);
    SetText(HKEY_CURRENT_USER, top, "Top", "1");
    SetText(HKEY_CURRENT_USER, "Software\\ZvKeyTreeTestSibling", "Keep", "1");

    EXPECT_EQ(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, top.c_str()));
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, top));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvKeyTreeTestSibling"));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software"));

    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, top.c_str()));   // already gone
    EXPECT_EQ(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, "Software\\ZvKeyTreeTestSibling"));
}

TEST(KeyTrees, APathNamingTheRootItselfDeletesNothing) {
    SetText(HKEY_CURRENT_USER, "Software\\ZvKeyTreeGuard", "Keep", "1");
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, ""));
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, "\\"));
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, nullptr));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, "Software\\ZvKeyTreeGuard"));
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\ZvKeyTreeGuard");
}

TEST(KeyDefaults, WrittenReadAndKeysOpenedOrCreated) {
    const char* base = "Software\\ZvKeyDefaults";
    EXPECT_EQ(nullptr, OpenOrCreateKey(base, HKEY_CURRENT_USER, false));
    RegKey created(OpenOrCreateKey(base, HKEY_CURRENT_USER, true));
    ASSERT_TRUE(created);
    RegKey opened(OpenOrCreateKey(base, HKEY_CURRENT_USER, false));
    ASSERT_TRUE(opened);

    EXPECT_TRUE(WriteKeyDefault("C:\\Program Files\\Tablet", created.get(), "Product\\Record"));   // subkeys created
    EXPECT_TRUE(WriteKeyDefault("Own", created.get(), nullptr));
    StrBuf text("stale");
    EXPECT_TRUE(ReadKeyDefault(text, opened.get(), "Product\\Record", 256));
    EXPECT_STREQ("C:\\Program Files\\Tablet", text);
    EXPECT_TRUE(ReadKeyDefault(text, HKEY_CURRENT_USER, base, 256));
    EXPECT_STREQ("Own", text);

    EXPECT_FALSE(ReadKeyDefault(text, opened.get(), "Missing", 256));
    EXPECT_TRUE(text.IsEmpty());
    // A value longer than the buffer is not read, and nothing overflows.
    EXPECT_FALSE(ReadKeyDefault(text, opened.get(), "Product\\Record", 8));
    EXPECT_TRUE(text.IsEmpty());

    created.reset();
    opened.reset();
    EXPECT_EQ(ERROR_SUCCESS, DeleteKeyTree(HKEY_CURRENT_USER, base));
}
