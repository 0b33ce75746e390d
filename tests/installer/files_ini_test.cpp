// INI entries applied and undone on real files, checked on the files' bytes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"
#include "installer/files/ini_entry_actions.h"
#include "tests/fakes/test_support.h"

namespace {
class IniFile : public ::testing::Test {
protected:
    ScratchDir scratch{"ini"};
    std::string path = scratch / "tablet.ini";

    IniEntry Entry(const std::string& fields) { return ReadIniEntry((path + "," + fields).c_str()); }
    void Write(const std::string& bytes) { ASSERT_TRUE(WriteBytes(path, bytes)); }
    std::string Bytes() { return ReadBytes(path); }
};

std::string TempInWindows() { return std::string(WindowsDirectory().c_str()) + "\\TEMP0000.TMP"; }
}  // namespace

TEST_F(IniFile, PlainEntryCreatesTheKeyAndRemovalDeletesIt) {
    Write("[Tablet]\r\nmode=pen\r\n");
    IniEntry entry = Entry("Tablet,driver,0:pen.sys");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[Tablet]\r\nmode=pen\r\ndriver=pen.sys\r\n", Bytes());
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ("[Tablet]\r\nmode=pen\r\n", Bytes());
}

TEST_F(IniFile, DirectoryJoinsTheValueAndNoDirectoryKeepsItUnchanged) {
    Write("[Tablet]\r\n");
    IniEntry entry = Entry("Tablet,driver,4:pen.sys");
    EXPECT_TRUE(ApplyIniEntry(entry, "C:\\Tablet"));
    EXPECT_EQ("[Tablet]\r\ndriver=C:\\Tablet\\pen.sys\r\n", Bytes());
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));   // the number named no folder
    EXPECT_EQ("[Tablet]\r\ndriver=pen.sys\r\n", Bytes());
}

TEST_F(IniFile, AppendedWordIsAddedOnceAndRemovedLeavingItsBlank) {
    Write("[Windows]\r\nload=mouse TABLET\r\n");
    IniEntry entry = Entry("Windows,load,0:tablet,Y,N,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[Windows]\r\nload=mouse TABLET\r\n", Bytes());

    Write("[Windows]\r\nload=mouse\r\n");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[Windows]\r\nload=mouse tablet\r\n", Bytes());
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    char value[64] = "";
    GetPrivateProfileStringA("Windows", "load", "?", value, sizeof value, path.c_str());
    // The profile interface of this system trims the blank the removal leaves.
    EXPECT_EQ(0, strncmp(value, "mouse", 5)) << value;
    EXPECT_EQ(std::string::npos, Bytes().find("tablet"));

    Write("[Windows]\r\n");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));   // absent key: a blank and the word
    GetPrivateProfileStringA("Windows", "load", "?", value, sizeof value, path.c_str());
    EXPECT_NE(nullptr, strstr(value, "tablet"));
}

TEST_F(IniFile, AddedLineGoesLastInItsSectionOnceAndIsRemovedAlone) {
    Write("[boot]\r\nshell=x\r\n[386Enh]\r\ndevice=mouse.386\r\n[other]\r\na=b\r\n");
    IniEntry entry = Entry("386Enh,device,0:tablet.386,N,Y,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    const std::string added = "[boot]\r\nshell=x\r\n[386Enh]\r\ndevice=mouse.386\r\ndevice=tablet.386\r\n[other]\r\na=b\r\n";
    EXPECT_EQ(added, Bytes());
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ(added, Bytes());
    EXPECT_FALSE(FileThere(TempInWindows()));
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ("[boot]\r\nshell=x\r\n[386Enh]\r\ndevice=mouse.386\r\n[other]\r\na=b\r\n", Bytes());
    EXPECT_FALSE(FileThere(TempInWindows()));
}

TEST_F(IniFile, AddedLineForAnAbsentKeyGoesThroughTheProfileInterface) {
    Write("[386Enh]\r\nother=1\r\n");
    IniEntry entry = Entry("386Enh,device,0:tablet.386,N,Y,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[386Enh]\r\nother=1\r\ndevice=tablet.386\r\n", Bytes());
}

TEST_F(IniFile, LongLinesAreCarriedOverUnchanged) {
    std::string longLine = "long=" + std::string(700, 'x') + "\r\n";
    std::string exact = "edge=" + std::string(250, 'y') + "\r\n";   // 255 characters before the line feed
    Write("[s]\r\nk=old\r\n" + longLine + exact + "[t]\r\n" + longLine);
    IniEntry entry = Entry("s,k,0:new,N,Y,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[s]\r\nk=old\r\n" + longLine + exact + "k=new\r\n[t]\r\n" + longLine, Bytes());
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ("[s]\r\nk=old\r\n" + longLine + exact + "[t]\r\n" + longLine, Bytes());
}

TEST_F(IniFile, RemoveAtInstallDeletesTheSettingAndIsRecordedForRemoval) {
    Write("[Tablet]\r\nold=1\r\nmode=pen\r\n");
    IniEntry entry = Entry("Tablet,old,0:1,N,N,N,Y");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[Tablet]\r\nmode=pen\r\n", Bytes());
    EXPECT_TRUE(entry.removeOnUninstall);
    // The record copy's line reads back as this entry, the install-time removal included.
    std::string written = FormatIniEntry(entry).c_str();
    IniEntry back = ReadIniEntry(written.c_str());
    EXPECT_STREQ(path.c_str(), back.file.c_str()) << written;
    EXPECT_STREQ("Tablet", back.section.c_str());
    EXPECT_STREQ("old", back.key.c_str());
    EXPECT_STREQ("1", back.value.c_str());
    EXPECT_TRUE(back.removeOnUninstall && back.removeOnInstall && !back.appendToValue && !back.addAsLine) << written;
}

TEST_F(IniFile, EntryKeptOnUninstallAndIncompleteEntriesDoNothing) {
    Write("[Tablet]\r\nmode=pen\r\n");
    IniEntry kept = Entry("Tablet,mode,0:pen,N,N,N,N");
    EXPECT_TRUE(UndoIniEntry(kept, nullptr));
    IniEntry noKey = Entry("Tablet,,0:x");
    EXPECT_TRUE(ApplyIniEntry(noKey, nullptr));
    EXPECT_TRUE(UndoIniEntry(noKey, nullptr));
    EXPECT_EQ("[Tablet]\r\nmode=pen\r\n", Bytes());
}

TEST_F(IniFile, FileThatCannotBeOpenedFailsAndKeepsItsBytes) {
    Write("[386Enh]\r\ndevice=mouse.386\r\n");
    IniEntry entry = Entry("386Enh,device,0:tablet.386,N,Y,Y,N");
    {
        FileHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.valid());
        // The profile interface still reads the key; the rewrite cannot replace the file.
        EXPECT_FALSE(ApplyIniEntry(entry, nullptr));
    }
    EXPECT_EQ("[386Enh]\r\ndevice=mouse.386\r\n", Bytes());
    EXPECT_FALSE(FileThere(TempInWindows()));
    IniEntry missing = ReadIniEntry((scratch / "none\\x.ini,386Enh,device,0:t,N,Y,Y,N").c_str());
    EXPECT_FALSE(UndoIniEntry(missing, nullptr));
}

TEST(IniInWindowsDirectory, BareNameIsRewrittenThroughTheWindowsDirectory) {
    std::string file = std::string(WindowsDirectory().c_str()) + "\\instally-test.ini";
    ASSERT_TRUE(WriteBytes(file, "[386Enh]\r\ndevice=mouse.386\r\n"));
    IniEntry entry = ReadIniEntry("instally-test.ini,386Enh,device,0:tablet.386,N,Y,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[386Enh]\r\ndevice=mouse.386\r\ndevice=tablet.386\r\n", ReadBytes(file));
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ("[386Enh]\r\ndevice=mouse.386\r\n", ReadBytes(file));
    EXPECT_FALSE(FileThere(TempInWindows()));
    DeleteFileA(file.c_str());
}

TEST_F(IniFile, RewrittenFileKeepsEveryByteItDidNotChange) {
    // Read and written as bytes: line feeds without returns stay so, and nothing is added.
    Write("[boot]\nshell=x\n[386Enh]\ndevice=mouse.386\n[other]\na=b");
    IniEntry entry = Entry("386Enh,device,0:tablet.386,N,Y,Y,N");
    EXPECT_TRUE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ("[boot]\nshell=x\n[386Enh]\ndevice=mouse.386\ndevice=tablet.386\n[other]\na=b", Bytes());
    EXPECT_TRUE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ("[boot]\nshell=x\n[386Enh]\ndevice=mouse.386\n[other]\na=b", Bytes());
}

TEST_F(IniFile, FileTheRewriteCannotHandleIsLeftAsItWasAndTheEntryFails) {
    IniEntry entry = Entry("386Enh,device,0:tablet.386,N,Y,Y,N");
    // An end-of-file mark in the middle: read as text, everything after it would be lost.
    const std::string marked = std::string("[386Enh]\r\ndevice=mouse.386\r\n\x1A[after]\r\nkeep=1\r\n");
    Write(marked);
    EXPECT_FALSE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ(marked, Bytes());
    EXPECT_FALSE(UndoIniEntry(entry, nullptr));
    EXPECT_EQ(marked, Bytes());
    EXPECT_FALSE(FileThere(TempInWindows()));

    // UTF-16, which the profile functions read: a byte-wise rewrite would break it.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("[386Enh]\r\ndevice=mouse.386\r\n")) wide += std::string(1, c) + '\0';
    Write(wide);
    char value[64] = "";
    GetPrivateProfileStringA("386Enh", "device", "", value, sizeof value, path.c_str());
    ASSERT_STREQ("mouse.386", value);   // the key is there: the entry must rewrite the file
    EXPECT_FALSE(ApplyIniEntry(entry, nullptr));
    EXPECT_EQ(wide, Bytes());
    EXPECT_FALSE(FileThere(TempInWindows()));
}
