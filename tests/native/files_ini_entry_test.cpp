// INI entries: their line, the line tests, and the two file rewrites on the pieces a file is read in.
#include <gtest/gtest.h>
#include <string>
#include "installer/files/ini_entry.h"
#include "installer/files/ini_rewrite.h"

namespace {
TextPieces Pieces(std::initializer_list<const char*> texts) {
    TextPieces pieces;
    for (const char* t : texts) pieces.push_back(t);
    return pieces;
}
std::string Joined(const TextPieces& pieces) {
    std::string text;
    for (const StrBuf& p : pieces) text += p.c_str();
    return text;
}
}  // namespace

TEST(IniEntryLine, ReadsEveryFieldAndWritesTheSameLine) {
    IniEntry entry = ReadIniEntry("SYSTEM.INI,386Enh,device,0:tablet.386,N,Y,Y,N");
    EXPECT_STREQ("SYSTEM.INI", entry.file);
    EXPECT_STREQ("386Enh", entry.section);
    EXPECT_STREQ("device", entry.key);
    EXPECT_EQ(0, entry.directoryNumber);
    EXPECT_STREQ("tablet.386", entry.value);
    EXPECT_FALSE(entry.appendToValue);
    EXPECT_TRUE(entry.addAsLine);
    EXPECT_TRUE(entry.removeOnUninstall);
    EXPECT_FALSE(entry.removeOnInstall);
    EXPECT_STREQ("SYSTEM.INI,386Enh,device,0:tablet.386,N,Y,Y,N", FormatIniEntry(entry));

    IniEntry flags = ReadIniEntry(" win.ini , Windows , load , 3 : pen.exe , yes , n , no , Y ");
    EXPECT_EQ(3, flags.directoryNumber);
    EXPECT_STREQ("pen.exe", flags.value);
    EXPECT_TRUE(flags.appendToValue);
    EXPECT_FALSE(flags.addAsLine);
    EXPECT_FALSE(flags.removeOnUninstall);
    EXPECT_TRUE(flags.removeOnInstall);
    EXPECT_STREQ("win.ini,Windows,load,3:pen.exe,Y,N,N,Y", FormatIniEntry(flags));
}

TEST(IniEntryLine, ShortOrOddLinesKeepDefaults) {
    IniEntry onlyFile = ReadIniEntry("WIN.INI");
    EXPECT_STREQ("WIN.INI", onlyFile.file);
    EXPECT_TRUE(onlyFile.key.IsEmpty());
    EXPECT_TRUE(onlyFile.removeOnUninstall);
    EXPECT_STREQ("WIN.INI,,,0:,N,N,Y,N", FormatIniEntry(onlyFile));

    IniEntry noNumber = ReadIniEntry("a.ini,s,k,x:v");
    EXPECT_EQ(0, noNumber.directoryNumber);
    EXPECT_STREQ("v", noNumber.value);
    EXPECT_TRUE(noNumber.removeOnUninstall);

    IniEntry quoted = ReadIniEntry("a.ini,s,k,0:\"one, two\",Y");
    EXPECT_STREQ("one, two", quoted.value);
    EXPECT_TRUE(quoted.appendToValue);

    IniEntry empty = ReadIniEntry("");
    EXPECT_TRUE(empty.file.IsEmpty());
    EXPECT_STREQ(",,,0:,N,N,Y,N", FormatIniEntry(empty));
    EXPECT_TRUE(ReadIniEntry(nullptr).file.IsEmpty());
}

TEST(IniEntryLine, EffectiveValueJoinsTheResolvedFolderWithOneBackslash) {
    IniEntry entry = ReadIniEntry("a.ini,s,k,2:pen.dll");
    EXPECT_STREQ("C:\\Tablet\\pen.dll", EffectiveIniValue(entry, "C:\\Tablet"));
    EXPECT_STREQ("C:\\Tablet\\pen.dll", EffectiveIniValue(entry, "C:\\Tablet\\"));
    // A number that names no folder: the value text unchanged.
    EXPECT_STREQ("pen.dll", EffectiveIniValue(entry, nullptr));
}

TEST(IniLineTests, SectionHeaderAndEntryLinesIgnoreCaseAndBlanks) {
    EXPECT_TRUE(IsSectionLineOf("[386ENH]\n", "386Enh"));
    EXPECT_TRUE(IsSectionLineOf("; see [386enh] below\n", "386Enh"));
    EXPECT_FALSE(IsSectionLineOf("[386Enh2]\n", "386Enh"));

    EXPECT_TRUE(IsAnySectionHeader("  [boot] ; comment\n"));
    EXPECT_FALSE(IsAnySectionHeader("; [boot]\n"));
    EXPECT_FALSE(IsAnySectionHeader("key=[value]x\n"));
    EXPECT_FALSE(IsAnySectionHeader("\n"));

    EXPECT_TRUE(IsEntryLineOf(" DEVICE = Tablet.386 \n", "device", "tablet.386"));
    EXPECT_FALSE(IsEntryLineOf("device=tablet.386x\n", "device", "tablet.386"));
    EXPECT_FALSE(IsEntryLineOf("devices=tablet.386\n", "device", "tablet.386"));
    EXPECT_FALSE(IsEntryLineOf("device tablet.386\n", "device", "tablet.386"));
}

TEST(IniWords, AppendedWordIsFoundIgnoringCaseAndCutOnce) {
    EXPECT_TRUE(ContainsNoCase("mouse TABLET", "tablet"));
    EXPECT_FALSE(ContainsNoCase("mouse", "tablet"));
    // The blank added before the word stays.
    EXPECT_STREQ("mouse ", CutWordNoCase("mouse tablet", "TABLET"));
    EXPECT_STREQ("a  b tablet", CutWordNoCase("a tablet b tablet", "tablet"));
    EXPECT_STREQ("mouse", CutWordNoCase("mouse", "tablet"));
}

TEST(IniAddLine, MissingSectionOrLastLineWithoutLineFeedAppendsAtTheEnd) {
    EXPECT_EQ("[a]\nx=1\ndevice=t\n", Joined(AddLineRewrite(Pieces({"[a]\n", "x=1\n"}), "b", "device", "t").pieces));
    EXPECT_EQ("[b]\nx=1\ndevice=t\n", Joined(AddLineRewrite(Pieces({"[b]\n", "x=1"}), "b", "device", "t").pieces));
    EXPECT_EQ("device=t\n", Joined(AddLineRewrite(TextPieces(), "b", "device", "t").pieces));
}

TEST(IniRemoveLine, DropsOnlyTheSectionsFirstMatchingLine) {
    TextPieces file = Pieces({"[x]\n", "device=tablet.386\n", "[386Enh]\n", "device=mouse.386\n", "DEVICE = tablet.386\n",
                              "device=tablet.386\n", "[y]\n", "device=tablet.386\n"});
    IniRewrite removed = RemoveLineRewrite(file, "386Enh", "device", "tablet.386");
    EXPECT_TRUE(removed.changed);
    EXPECT_EQ("[x]\ndevice=tablet.386\n[386Enh]\ndevice=mouse.386\ndevice=tablet.386\n[y]\ndevice=tablet.386\n",
              Joined(removed.pieces));
    // Not in its section: nothing changes, even when the line stands in a later section.
    TextPieces other = Pieces({"[386Enh]\n", "a=b\n", "[y]\n", "device=tablet.386\n"});
    IniRewrite kept = RemoveLineRewrite(other, "386Enh", "device", "tablet.386");
    EXPECT_FALSE(kept.changed);
    EXPECT_EQ(Joined(other), Joined(kept.pieces));
    EXPECT_FALSE(RemoveLineRewrite(other, "missing", "a", "b").changed);
}

TEST(IniRewrites, LongLinesArriveInPiecesAndLeaveUnchanged) {
    std::string longLine = "long=" + std::string(600, 'v') + "\n";
    TextPieces file = Pieces({"[s]\n"});
    for (size_t at = 0; at < longLine.size(); at += kIniPieceSize - 1)
        file.push_back(StrBuf(longLine.substr(at, kIniPieceSize - 1).c_str()));
    ASSERT_EQ(4u, file.size());
    IniRewrite added = AddLineRewrite(file, "s", "k", "v");
    EXPECT_EQ("[s]\n" + longLine + "k=v\n", Joined(added.pieces));
    IniRewrite removed = RemoveLineRewrite(added.pieces, "s", "k", "v");
    EXPECT_EQ("[s]\n" + longLine, Joined(removed.pieces));
}

TEST(IniRewrites, BytesArriveInPiecesOfALineReader) {
    std::string text = "[s]\r\nk=v\r\n" + std::string(300, 'x') + "\nlast";
    TextPieces pieces = SplitIniPieces(text.data(), text.size());
    ASSERT_EQ(5u, pieces.size());
    EXPECT_STREQ("[s]\r\n", pieces[0]);
    EXPECT_STREQ("k=v\r\n", pieces[1]);
    EXPECT_EQ(255, pieces[2].Length());
    EXPECT_EQ(std::string(45, 'x') + "\n", pieces[3].c_str());
    EXPECT_STREQ("last", pieces[4]);
    EXPECT_EQ(text, Joined(pieces));
    EXPECT_TRUE(SplitIniPieces("", 0).empty());
    // A line of exactly 255 characters and its line feed: the line feed is a piece of its own.
    std::string edge = std::string(255, 'y') + "\n";
    EXPECT_EQ(2u, SplitIniPieces(edge.data(), edge.size()).size());
}

TEST(IniRewrites, OnlyPlainSingleByteTextIsRewritten) {
    const std::string plain = "[s]\r\nk=v\r\n", utf8 = "\xEF\xBB\xBF[s]\nk=\xC3\xA4\n";
    EXPECT_TRUE(IsRewritableIniText(plain.data(), plain.size()));
    EXPECT_TRUE(IsRewritableIniText(utf8.data(), utf8.size()));
    EXPECT_TRUE(IsRewritableIniText("", 0));
    const std::string marked = "[s]\r\n\x1A", nul = std::string("[s]\0k", 6);
    const std::string little = "\xFF\xFE[", big = "\xFE\xFF[";
    for (const std::string* bad : {&marked, &nul, &little, &big})
        EXPECT_FALSE(IsRewritableIniText(bad->data(), bad->size())) << *bad;
}

TEST(IniAddLine, NewLineEndsAsTheFilesLinesDo) {
    EXPECT_EQ("[b]\r\nx=1\r\nk=v\r\n", Joined(AddLineRewrite(Pieces({"[b]\r\n", "x=1\r\n"}), "b", "k", "v").pieces));
    EXPECT_EQ("[b]\r\nx=1\r\nk=v\r\n", Joined(AddLineRewrite(Pieces({"[b]\r\n", "x=1"}), "b", "k", "v").pieces));
    EXPECT_EQ("[b]\nk=v\n", Joined(AddLineRewrite(Pieces({"[b]\n"}), "b", "k", "v").pieces));
}
