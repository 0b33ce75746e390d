// The record copy reads back what was installed: entries of every kind, filled with the
// bytes that separate, quote, comment or trim, are written as the record writes them, read
// back through the section reader as the uninstaller reads them, and compared field by field.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "installer/files/ini_entry.h"
#include "installer/record/shortcut_line.h"
#include "installer/registry/registry_entry_line.h"
#include "installer/script/app_section.h"
#include "installer/script/component_keys.h"
#include "installer/script/file_entry_line.h"
#include "installer/script/script_reader.h"
#include "installer/script/script_tables.h"

namespace {

// Every byte a line can carry but CR (it ends the line) and NUL (it ends the text), the
// hostile ones many times over.
class HostileText {
public:
    explicit HostileText(unsigned seed) : random_(seed) {}
    StrBuf Next(int maxLength = 12) {
        static const std::string kHostile = ",:-=\"\"\";[] \t\n\\*#%";
        std::string text;
        int length = Pick(maxLength + 1);
        for (int i = 0; i < length; ++i) {
            int choice = Pick(4);
            if (choice == 0) text += static_cast<char>(1 + Pick(255));        // any byte
            else if (choice == 1) text += static_cast<char>(0x81 + Pick(0x7e));   // double-byte halves
            else if (choice == 2) text += static_cast<char>('a' + Pick(26));
            else text += kHostile[Pick(static_cast<int>(kHostile.size()))];
        }
        for (char& c : text)
            if (c == '\r') c = '\n';
        return StrBuf(text.c_str());
    }
    StrBuf NextNonEmpty() {
        StrBuf text = Next();
        return text.IsEmpty() ? StrBuf("x") : text;
    }
    int Number() { return static_cast<int>(random_()) % 100000 - 50000; }
    bool Flag() { return Pick(2) == 1; }
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

private:
    std::mt19937 random_;
};

// The lines of section S of a record copy holding the given lines, as the reader hands them on.
std::vector<StrBuf> ReadBack(const std::vector<StrBuf>& written) {
    std::string text = "[S]\r\n";
    for (const StrBuf& line : written) text += std::string(line.c_str()) + "\r\n";
    text += "\r\n[End]\r\n";
    std::vector<StrBuf> lines;
    LineFunctionReader reader([&](const StrBuf& line) { lines.push_back(line); });
    ReadSectionPass(ScriptText(text.c_str(), text.c_str() + text.size()), "S", 8, reader);
    return lines;
}

// An entry line as a component section hands it to the entry's reader.
StrBuf EntryTextOf(const StrBuf& written) {
    std::vector<StrBuf> lines = ReadBack({written});
    if (lines.size() != 1) return StrBuf("<line lost>");
    StrBuf line = lines[0];
    return CutEntryText(line);
}

std::string S(const StrBuf& text) { return std::string(text.c_str()); }

const int kRounds = 3000;

}  // namespace

TEST(RecordCopyRoundTrip, FileEntriesComeBackWhole) {
    HostileText gen(1);
    for (int round = 0; round < kRounds; ++round) {
        FileEntryLine e;
        e.displayName = gen.Next();
        e.diskId = gen.Number();
        e.sourceDirId = gen.Number();
        e.sourceName = gen.Next();
        e.destDirId = gen.Number();
        e.destName = gen.Next();
        e.spareFlag = gen.Flag();
        e.removeOnUninstall = gen.Flag();
        e.installMode = gen.Number();
        StrBuf written = WriteFileEntryLine(e);
        FileEntryLine r = ParseFileEntryLine(EntryTextOf(written));
        SCOPED_TRACE(S(written));
        ASSERT_EQ(S(e.displayName), S(r.displayName));
        ASSERT_EQ(e.diskId, r.diskId);
        ASSERT_EQ(e.sourceDirId, r.sourceDirId);
        ASSERT_EQ(S(e.sourceName), S(r.sourceName));
        ASSERT_EQ(e.destDirId, r.destDirId);
        ASSERT_EQ(S(e.destName), S(r.destName));
        ASSERT_EQ(e.spareFlag, r.spareFlag);
        ASSERT_EQ(e.removeOnUninstall, r.removeOnUninstall);
        ASSERT_EQ(e.installMode, r.installMode);
    }
}

TEST(RecordCopyRoundTrip, ShortcutAndIniEntriesComeBackWhole) {
    HostileText gen(2);
    for (int round = 0; round < kRounds; ++round) {
        ShortcutLine link;
        link.target = gen.Next();
        link.caption = gen.Next();
        link.folderCode = gen.Number();
        StrBuf writtenLink = WriteShortcutLine(link);
        ShortcutLine readLink = ParseShortcutLine(EntryTextOf(writtenLink));
        SCOPED_TRACE(S(writtenLink));
        ASSERT_EQ(S(link.target), S(readLink.target));
        ASSERT_EQ(S(link.caption), S(readLink.caption));
        ASSERT_EQ(link.folderCode, readLink.folderCode);

        IniEntry ini;
        ini.file = gen.Next();
        ini.section = gen.Next();
        ini.key = gen.Next();
        ini.directoryNumber = gen.Number();
        ini.value = gen.Next();
        ini.appendToValue = gen.Flag();
        ini.addAsLine = gen.Flag();
        ini.removeOnUninstall = gen.Flag();
        ini.removeOnInstall = gen.Flag();
        StrBuf writtenIni = FormatIniEntry(ini);
        IniEntry readIni = ReadIniEntry(EntryTextOf(writtenIni));
        SCOPED_TRACE(S(writtenIni));
        ASSERT_EQ(S(ini.file), S(readIni.file));
        ASSERT_EQ(S(ini.section), S(readIni.section));
        ASSERT_EQ(S(ini.key), S(readIni.key));
        ASSERT_EQ(ini.directoryNumber, readIni.directoryNumber);
        ASSERT_EQ(S(ini.value), S(readIni.value));
        ASSERT_EQ(ini.appendToValue, readIni.appendToValue);
        ASSERT_EQ(ini.addAsLine, readIni.addAsLine);
        ASSERT_EQ(ini.removeOnUninstall, readIni.removeOnUninstall);
        ASSERT_EQ(ini.removeOnInstall, readIni.removeOnInstall);
    }
}

TEST(RecordCopyRoundTrip, RegistryEntriesComeBackWhole) {
    HostileText gen(3);
    const RegistryRoot roots[] = {kRootCurrentUser, kRootLocalMachine, kRootServices, kRootHcuSoftware};
    const int types[] = {kTypeString, kTypeDword, kTypeByte, kTypeWord, kTypeBinary};
    for (int round = 0; round < kRounds; ++round) {
        RegistryEntryLine e;
        e.root = roots[gen.Pick(4)];
        e.type = types[gen.Pick(5)];
        e.keyPath = gen.NextNonEmpty();
        e.valueName = gen.NextNonEmpty();
        e.directoryId = gen.Number();
        e.data = gen.Next();
        StrBuf written = WriteRegistryEntryLine(e);
        RegistryEntryLine r = ParseRegistryEntryLine(EntryTextOf(written));
        SCOPED_TRACE(S(written));
        ASSERT_EQ(e.root, r.root);
        ASSERT_EQ(e.type, r.type);
        ASSERT_EQ(S(e.keyPath), S(r.keyPath));
        ASSERT_EQ(S(e.valueName), S(r.valueName));
        ASSERT_EQ(e.directoryId, r.directoryId);
        ASSERT_EQ(S(e.data), S(r.data));
    }
}

TEST(RecordCopyRoundTrip, ComponentKeysAndTablesComeBackWhole) {
    HostileText gen(4);
    for (int round = 0; round < kRounds / 3; ++round) {
        ComponentKeys keys;
        keys.restartAfterInstall = true;
        keys.restartAfterRemoval = gen.Flag();
        keys.deleteOemClass = true;
        keys.oemClass = gen.Next();
        keys.deviceType = gen.Pick(3);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(keys.AddLibrary({gen.NextNonEmpty(), gen.Flag()}));
        for (int table : {UExeBefore, UExeAfter})
            for (int i = 0; i < 2; ++i) ASSERT_TRUE(keys.AddProgram(table, {gen.NextNonEmpty(), gen.Flag(), gen.Flag()}));
        ComponentKeys r;
        for (const StrBuf& line : ReadBack(WriteComponentKeyLines(keys))) ReadComponentKeyLine(r, line);
        ASSERT_EQ(keys.restartAfterRemoval, r.restartAfterRemoval);
        ASSERT_TRUE(r.deleteOemClass);
        ASSERT_EQ(S(keys.oemClass), S(r.oemClass));
        ASSERT_EQ(keys.deviceType, r.deviceType);
        ASSERT_EQ(keys.Libraries().size(), r.Libraries().size());
        for (size_t i = 0; i < keys.Libraries().size(); ++i) {
            ASSERT_EQ(S(keys.Libraries()[i].library), S(r.Libraries()[i].library));
            ASSERT_EQ(keys.Libraries()[i].silent, r.Libraries()[i].silent);
        }
        for (int table : {UExeBefore, UExeAfter}) {
            ASSERT_EQ(keys.Programs(table).size(), r.Programs(table).size());
            for (size_t i = 0; i < keys.Programs(table).size(); ++i) {
                ASSERT_EQ(S(keys.Programs(table)[i].program), S(r.Programs(table)[i].program));
                ASSERT_EQ(keys.Programs(table)[i].wait, r.Programs(table)[i].wait);
                ASSERT_EQ(keys.Programs(table)[i].silent, r.Programs(table)[i].silent);
            }
        }

        DiskEntry disk;
        disk.id = gen.Number();
        disk.label = gen.Next();
        disk.label.Trim();   // table texts are trimmed when read, quoted or not
        std::vector<StrBuf> lines = ReadBack({DiskLine(disk)});
        ASSERT_EQ(1u, lines.size()) << S(DiskLine(disk));
        DiskEntry readDisk = ReadDiskLine(lines[0]);
        ASSERT_EQ(disk.id, readDisk.id);
        ASSERT_EQ(S(disk.label), S(readDisk.label)) << S(DiskLine(disk));
    }
}

TEST(RecordCopyRoundTrip, ApplicationSettingsComeBackWhole) {
    HostileText gen(5);
    for (int round = 0; round < kRounds / 3; ++round) {
        ApplicationSettings s;
        s.produceName = gen.NextNonEmpty();
        s.groupName = gen.Next();
        s.defaultDir = gen.Next();
        s.uninstallName = gen.Next();
        s.logoBmpName = gen.NextNonEmpty();
        s.logoBmpMaskName = gen.NextNonEmpty();
        s.bkBmpName = gen.NextNonEmpty();
        s.fontAppName = gen.NextNonEmpty();
        s.fontLogoName = gen.NextNonEmpty();
        s.logoName = gen.NextNonEmpty();
        std::vector<StrBuf> written = ApplicationSectionLines(s, "Uninstall", "");
        written.erase(written.begin());   // its own header
        ApplicationSettings r;
        for (const StrBuf& line : ReadBack(written)) ReadApplicationKey(r, line, AppSectionHooks());
        if (CompareNoCase(s.produceName, s.groupName) != 0) ASSERT_EQ(S(s.produceName), S(r.produceName));
        ASSERT_EQ(S(s.groupName), S(r.groupName));
        ASSERT_EQ(S(s.defaultDir), S(r.defaultDir));
        ASSERT_EQ(S(s.uninstallName), S(r.uninstallName));
        ASSERT_EQ(S(s.logoBmpName), S(r.logoBmpName));
        ASSERT_EQ(S(s.logoBmpMaskName), S(r.logoBmpMaskName));
        ASSERT_EQ(S(s.bkBmpName), S(r.bkBmpName));
        ASSERT_EQ(S(s.fontAppName), S(r.fontAppName));
        ASSERT_EQ(S(s.fontLogoName), S(r.fontLogoName));
        // A leading "#" stands for a blank logo in every script.
        if (s.logoName != " " && s.logoName[0] != '#') ASSERT_EQ(S(s.logoName), S(r.logoName));
    }
}

TEST(RecordCopyRoundTrip, AQuotedFieldAnywhereReachesTheEntrysReader) {
    StrBuf line("\"Notes, first\",1-2:N1.TXT,2:\"N=1, b.TXT\",N,Y,0=dropped");
    FileEntryLine e = ParseFileEntryLine(CutEntryText(line));
    EXPECT_EQ("Notes, first", S(e.displayName));
    EXPECT_EQ("N1.TXT", S(e.sourceName));
    EXPECT_EQ("N=1, b.TXT", S(e.destName));
    EXPECT_EQ("dropped", S(line));
    StrBuf unquoted("a,1-1:b,1:c=d");
    EXPECT_EQ("a,1-1:b,1:c", S(CutEntryText(unquoted)));
    StrBuf lone("say \"hi,1-1:b=c");   // a lone quote is an ordinary character
    EXPECT_EQ("say \"hi,1-1:b", S(CutEntryText(lone)));
}

TEST(RecordCopyRoundTrip, RecordsOfTheEarlierWriterStillRead) {
    // The earlier writer quoted names with a comma or edge blanks and left every other name bare.
    FileEntryLine quoted = ParseFileEntryLine(EntryTextOf("\"a,b.cfg\",1-1:\"a,b.cfg\",2:\" lead.txt\",N,Y,0"));
    EXPECT_EQ("a,b.cfg", S(quoted.displayName));
    EXPECT_EQ(" lead.txt", S(quoted.destName));
    EXPECT_EQ(2, quoted.destDirId);
    ShortcutLine link = ParseShortcutLine(EntryTextOf("PANEL.EXE,\"Panel, settings\",0"));
    EXPECT_EQ("Panel, settings", S(link.caption));
    RegistryEntryLine reg = ParseRegistryEntryLine(EntryTextOf("HKEY_CURRENT_USER,REG_SZ,Soft\\Kit,Icon,2:kit.exe"));
    EXPECT_EQ("Soft\\Kit", S(reg.keyPath));
    EXPECT_EQ("kit.exe", S(reg.data));
    ComponentKeys keys;
    ReadComponentKeyLine(keys, "LibraryReg=\"Ext.dll\",Y");
    ASSERT_EQ(1u, keys.Libraries().size());
    EXPECT_EQ("Ext.dll", S(keys.Libraries()[0].library));
    EXPECT_TRUE(keys.Libraries()[0].silent);
}

TEST(RecordCopyRoundTrip, DoubledQuotesInsideQuotesStandForOne) {
    StrBuf line("\"say \"\"hi\"\"\",next");
    EXPECT_EQ("say \"hi\"", S(NextField(line, ',', true)));
    EXPECT_EQ("next", S(line));
    EXPECT_EQ("\"a\"\"b\"", S(AlwaysQuoted("a\"b")));
    EXPECT_EQ("plain.txt", S(QuotedField("plain.txt")));
    EXPECT_EQ("\";x\"", S(QuotedField(";x")));   // would read as a comment line
}
