#include <gtest/gtest.h>
#include <string>
#include "installer/script/file_entry_line.h"

TEST(FileEntryLine, FullLineFillsEveryField) {
    FileEntryLine e = ParseFileEntryLine("Tablet driver,1-2:TABLET.SYS,3:TABLET.SYS,N,Y,0");
    EXPECT_EQ(std::string("Tablet driver"), e.displayName.c_str());
    EXPECT_EQ(1, e.diskId);
    EXPECT_EQ(2, e.sourceDirId);
    EXPECT_EQ(std::string("TABLET.SYS"), e.sourceName.c_str());
    EXPECT_EQ(3, e.destDirId);
    EXPECT_EQ(std::string("TABLET.SYS"), e.destName.c_str());
    EXPECT_FALSE(e.spareFlag);
    EXPECT_TRUE(e.removeOnUninstall);
    EXPECT_EQ(0, e.installMode);
    EXPECT_EQ(std::string("Tablet driver,1-2:TABLET.SYS,3:TABLET.SYS,N,Y,0"), WriteFileEntryLine(e).c_str());
}

TEST(FileEntryLine, ShortLinesKeepTheDefaults) {
    FileEntryLine onlyName = ParseFileEntryLine("Just a name");
    EXPECT_EQ(std::string("Just a name"), onlyName.displayName.c_str());
    EXPECT_EQ(0, onlyName.diskId);
    EXPECT_EQ(0, onlyName.destDirId);
    EXPECT_TRUE(onlyName.sourceName.IsEmpty());
    EXPECT_TRUE(onlyName.destName.IsEmpty());
    EXPECT_TRUE(onlyName.removeOnUninstall);
    EXPECT_EQ(0, onlyName.installMode);

    FileEntryLine toDest = ParseFileEntryLine("Help, 1 - 4 : HELP.CHM , -2 : TABLET.CHM");
    EXPECT_EQ(-2, toDest.destDirId);   // source directory 2
    EXPECT_EQ(std::string("TABLET.CHM"), toDest.destName.c_str());
    EXPECT_EQ(std::string("Help,1-4:HELP.CHM,-2:TABLET.CHM,N,Y,0"), WriteFileEntryLine(toDest).c_str());

    FileEntryLine mode = ParseFileEntryLine("x,1-1:a,1:b,y,n,5");
    EXPECT_TRUE(mode.spareFlag);
    EXPECT_FALSE(mode.removeOnUninstall);
    EXPECT_EQ(5, mode.installMode);
    EXPECT_EQ(0, ParseFileEntryLine("x,abc-zz:a,q:b").diskId);
}

TEST(FileEntryLine, QuotedNamesWithCommasSurviveTheRecordCopy) {
    FileEntryLine e = ParseFileEntryLine("\"Driver, new\",1-2:\"A,B.SYS\",3:\"A,B.SYS\",N,N,0");
    EXPECT_EQ(std::string("Driver, new"), e.displayName.c_str());
    EXPECT_EQ(std::string("A,B.SYS"), e.destName.c_str());
    FileEntryLine back = ParseFileEntryLine(WriteFileEntryLine(e));
    EXPECT_EQ(std::string("Driver, new"), back.displayName.c_str());
    EXPECT_EQ(1, back.diskId);
    EXPECT_EQ(std::string("A,B.SYS"), back.sourceName.c_str());
    EXPECT_EQ(std::string("A,B.SYS"), back.destName.c_str());
    EXPECT_FALSE(back.removeOnUninstall);
}

TEST(CopyFolderLine, EachFoundFileBecomesAnEntryWithTheTail) {
    CopyFolderLine line = ParseCopyFolderLine("1-2:*.*,3,N,Y,5");
    EXPECT_EQ(1, line.diskId);
    EXPECT_EQ(2, line.sourceDirId);
    EXPECT_EQ(std::string("*.*"), line.pattern.c_str());
    EXPECT_EQ(3, line.destDirId);
    EXPECT_EQ(std::string("N,Y,5"), line.tail.c_str());
    FileEntryLine e = ParseFileEntryLine(CopyFolderEntryText(line, "PEN.DLL"));
    EXPECT_EQ(std::string("PEN.DLL"), e.displayName.c_str());
    EXPECT_EQ(std::string("PEN.DLL"), e.sourceName.c_str());
    EXPECT_EQ(std::string("PEN.DLL"), e.destName.c_str());
    EXPECT_EQ(3, e.destDirId);
    EXPECT_EQ(5, e.installMode);
    EXPECT_EQ(std::string("a,b.txt"), ParseFileEntryLine(CopyFolderEntryText(line, "a,b.txt")).destName.c_str());
    // A long pattern is kept whole rather than cut into one that matches other files.
    EXPECT_EQ(std::string(300, 'p') + "*.sys", ParseCopyFolderLine(("1-2:" + std::string(300, 'p') + "*.sys,3").c_str()).pattern.c_str());
    EXPECT_TRUE(ParseCopyFolderLine("1-2:*.txt,3").tail.IsEmpty());
}
