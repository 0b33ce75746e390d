#include <gtest/gtest.h>
#include <string>
#include "installer/record/shortcut_line.h"

TEST(ShortcutLine, ReadAndWrittenBack) {
    ShortcutLine line = ParseShortcutLine(" PENTOOL.EXE , Pen Tool , -3 ");
    EXPECT_EQ(std::string("PENTOOL.EXE"), line.target.c_str());
    EXPECT_EQ(std::string("Pen Tool"), line.caption.c_str());
    EXPECT_EQ(-3, line.folderCode);
    EXPECT_EQ(std::string("PENTOOL.EXE,Pen Tool,-3"), WriteShortcutLine(line).c_str());
    EXPECT_EQ(0, ParseShortcutLine("A.EXE,Caption").folderCode);   // missing code: the program group
}

TEST(ShortcutLine, FolderCodesChooseThePlace) {
    struct { int code; LinkFolder folder; int csidl; } rows[] = {
        {-1, LinkFolder::None, 0},      {-2, LinkFolder::Special, 7},       {-3, LinkFolder::Special, 16},
        {-4, LinkFolder::Special, 24},  {-5, LinkFolder::Special, 25},      {0, LinkFolder::ProgramGroup, 0},
        {3, LinkFolder::ProgramGroup, 0}, {-6, LinkFolder::ProgramGroup, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.code);
        LinkPlace place = LinkPlaceFor(r.code);
        EXPECT_EQ(r.folder, place.folder);
        if (r.folder == LinkFolder::Special) EXPECT_EQ(r.csidl, place.csidl);
    }
}

TEST(ShortcutLine, AllUsersProgramsOnlyOnAnNtKernel) {
    EXPECT_TRUE(UseCommonProgramsFor(1, 400));
    EXPECT_TRUE(UseCommonProgramsFor(1, 601));
    EXPECT_FALSE(UseCommonProgramsFor(1, 210));   // Windows 98: the user's Programs folder
    EXPECT_FALSE(UseCommonProgramsFor(0, 601));
}

TEST(ShortcutLine, RecordCopyKeepsCommasAndEdgeBlanks) {
    // The uninstaller finds the link again by the caption the record copy holds.
    ShortcutLine line = ParseShortcutLine("\"Pen, Tool.EXE\",\" Pen Tool, Help \",-2");
    ASSERT_EQ(std::string(" Pen Tool, Help "), line.caption.c_str());
    ShortcutLine back = ParseShortcutLine(WriteShortcutLine(line));
    EXPECT_EQ(std::string("Pen, Tool.EXE"), back.target.c_str());
    EXPECT_EQ(std::string(" Pen Tool, Help "), back.caption.c_str());
    EXPECT_EQ(-2, back.folderCode);
}
