// The script reader over real files: mappings that end without a NUL, empty and
// missing files, included files found beside the script, and the line writer.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/script/mapped_file.h"
#include "tests/fakes/test_support.h"

namespace {
struct Collector : SectionReader {
    std::vector<std::string> lines;
    void KeyLine(const StrBuf& line) override { lines.push_back(line.c_str()); }
};
}  // namespace

TEST(MappedScript, AFileFillingWholePagesIsReadToItsLastByteOnly) {
    ScratchDir dir("mapped-pages");
    std::string text = "[Disks]\r\n1=";
    text += std::string(8192 - text.size() - 1, 'x');
    text += "y";   // the last byte of the second page, no line end, no NUL after it
    ASSERT_EQ(8192u, text.size());
    ASSERT_TRUE(WriteBytes(dir / "s.inf", text));
    MappedFile file((dir / "s.inf").c_str());
    ASSERT_NE(nullptr, file.View());
    Collector c;
    ReadSectionPass(file.Text(), "Disks", 4, c);
    ASSERT_EQ(1u, c.lines.size());
    EXPECT_EQ(8192u - 9, c.lines[0].size());
    EXPECT_EQ('y', c.lines[0].back());
}

TEST(MappedScript, EmptyOrMissingFilesReadAsNoText) {
    ScratchDir dir("mapped-empty");
    ASSERT_TRUE(WriteBytes(dir / "empty.inf", ""));
    MappedFile empty((dir / "empty.inf").c_str());
    EXPECT_TRUE(empty.Text().IsEmpty());
    MappedFile missing((dir / "missing.inf").c_str());
    EXPECT_EQ(nullptr, missing.View());
    EXPECT_TRUE(missing.Text().IsEmpty());
    Collector c;
    ParseSection(missing.Text(), "Disks", 4, c, ".deu");
    EXPECT_TRUE(c.lines.empty());
}

TEST(MappedScript, ClosingReleasesTheFile) {
    ScratchDir dir("mapped-close");
    ASSERT_TRUE(WriteBytes(dir / "s.inf", "[A]\r\nk=v\r\n"));
    {
        MappedFile file((dir / "s.inf").c_str());
        ASSERT_NE(nullptr, file.View());
    }
    EXPECT_TRUE(DeleteFileA((dir / "s.inf").c_str()));
}

TEST(MappedScript, IncludedFilesAreFoundInTheSourceDirectory) {
    ScratchDir dir("mapped-include");
    ASSERT_TRUE(WriteBytes(dir / "main.inf", "[Disks]\r\n1=a\r\n*include=More,more.inf\r\n3=c\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "more.inf", "[More.all]\r\n2=b\r\n[More]\r\n2b=plain\r\n"));
    MappedFile file((dir / "main.inf").c_str());
    MappedIncludeFiles files;
    IncludeFollower::Context context;
    context.sourceDir = dir.path().c_str();
    context.files = &files;
    Collector c;
    IncludeFollower follower(file.Text(), 4, c, context);
    ParseSection(file.Text(), "Disks", 4, follower, "");
    EXPECT_EQ((std::vector<std::string>{"1=a", "2=b", "2b=plain", "3=c"}), c.lines);
}

TEST(ScriptWriter, LinesEndWithCarriageReturnLineFeed) {
    ScratchDir dir("writer");
    HANDLE f = CreateFileA((dir / "out.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    EXPECT_TRUE(WriteLine(f, SectionHeaderLine("Disks", ".deu")));
    EXPECT_TRUE(WriteLine(f, "1=Disk 1"));
    EXPECT_TRUE(WriteLine(f, ""));
    EXPECT_TRUE(WriteLine(f, "[End]", false));
    CloseHandle(f);
    EXPECT_EQ("[Disks.deu]\r\n1=Disk 1\r\n\r\n[End]", ReadBytes(dir / "out.inf"));
}
