// Input at the edges of what the system allows: paths longer than the LZ library's own
// 128 characters and around the 260-character limit of the ANSI functions, and script lines
// of many kilobytes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {
// A path of exactly length characters below base, in folders of at most 100 characters.
std::string PathOfLength(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() + 1 + 100 + 1 + 12 < length) path += "\\" + std::string(100, 'd');
    size_t nameLength = length - path.size() - 1;
    return path + "\\" + std::string(nameLength - 4, 'f') + ".dat";
}

std::string Fixture(const char* name) { return TestBinDirectory() + "\\fixtures\\" + name; }

bool MakeFolderFor(const std::string& path) { return CreateDirectoryTree(DirectoryPart(path.c_str())); }
}  // namespace

TEST(PathLimits, LongPathsAreCopiedAndExpandedByteForByte) {
    ScratchDir dir("lzlong");
    const std::string plain = ReadBytes(Fixture("lz_script_sample.inf"));
    const std::string compressed = ReadBytes(Fixture("lz_script_sample.inf_"));
    ASSERT_FALSE(plain.empty());
    ASSERT_EQ("SZDD", compressed.substr(0, 4));
    // Short and long (beyond the 128 characters of the LZ library's own open) on either side.
    struct Case { size_t source, destination; } cases[] = {{0, 200}, {200, 0}, {210, 230}, {259, 259}};
    int n = 0;
    for (const Case& c : cases) {
        for (const std::string* stored : {&plain, &compressed}) {
            SCOPED_TRACE(testing::Message() << c.source << " -> " << c.destination
                                            << (stored == &plain ? " plain" : " compressed"));
            std::string tag = std::to_string(n++);
            std::string source = c.source ? PathOfLength(dir / ("s" + tag), c.source) : dir / ("s" + tag + ".dat");
            std::string target = c.destination ? PathOfLength(dir / ("d" + tag), c.destination) : dir / ("d" + tag + ".dat");
            ASSERT_TRUE(MakeFolderFor(source));
            ASSERT_TRUE(MakeFolderFor(target));
            ASSERT_TRUE(WriteBytes(source, *stored));
            EXPECT_EQ(static_cast<LONG>(plain.size()), LzCopyFile(source.c_str(), target.c_str()));
            EXPECT_EQ(plain, ReadBytes(target));
            EXPECT_EQ(*stored, ReadBytes(source));
        }
    }
}

TEST(PathLimits, LongerThanTheLimitIsRefusedWithoutLeavingAnything) {
    ScratchDir dir("limits");
    std::string source = dir / "source.dat";
    ASSERT_TRUE(WriteBytes(source, "payload"));
    for (size_t length : {259u, 260u, 261u}) {
        SCOPED_TRACE(length);
        std::string target = PathOfLength(dir / std::to_string(length), length);
        ASSERT_EQ(length, target.size());
        StrBuf folder = DirectoryPart(target.c_str());
        StrBuf joined = JoinPath(folder, target.c_str() + folder.Length() + 1);
        EXPECT_EQ(target, joined.c_str());   // no cut at any fixed buffer size
        ASSERT_TRUE(CreateDirectoryTree(folder));
        // 259 characters always fit. Windows takes no 260th (its limit counts the final zero)
        // while Wine does: either way the file is whole under its own name, or not there.
        bool copied = ExpandCopy(source.c_str(), target.c_str());
        if (length < MAX_PATH) EXPECT_TRUE(copied);
        if (length > MAX_PATH) EXPECT_FALSE(copied);
        EXPECT_EQ(copied ? "payload" : "", ReadBytes(target));
        // Refused, it leaves nothing behind, not even a file under a shortened name.
        EXPECT_EQ(copied ? 1u : 0u, FolderEntries(folder.c_str()).size());
        // The same path as a source.
        std::string back = dir / ("back" + std::to_string(length) + ".dat");
        EXPECT_EQ(copied, ExpandCopy(target.c_str(), back.c_str()));
        EXPECT_EQ(copied ? "payload" : "", ReadBytes(back));
    }
    EXPECT_EQ("payload", ReadBytes(source));
}

TEST(ScriptLimits, LinesOfManyKilobytesAreReadWholeAndTheNextLinesStillCount) {
    ScratchDir dir("longlines");
    std::string longSpec = "C:\\" + std::string(40000, 'p');
    std::string longComponent = "Main=Main,Keys," + std::string(20000, 's');
    ASSERT_TRUE(WriteBytes(dir / "s.inf",
        "[DstDirs]\r\n1=" + longSpec + "\r\n2=C:\\after\r\n; " + std::string(70000, 'c') + "\r\n3=C:\\third\r\n"
        "[SetupApps]\r\n" + longComponent + "\r\nSecond=Second,Keys2\r\n[End]\r\n"));
    Application app;
    app.SetSourceDir("D:\\medium");
    app.SetInstallDir("C:\\Program Files\\Pen");
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(2, script->Load((dir / "s.inf").c_str()));   // both components, the long one too
    ASSERT_NE(nullptr, script->FindDestDir(1));
    EXPECT_EQ(longSpec, script->FindDestDir(1)->specification.c_str());
    ASSERT_NE(nullptr, script->FindDestDir(2));
    EXPECT_EQ(std::string("C:\\after"), script->FindDestDir(2)->specification.c_str());
    ASSERT_NE(nullptr, script->FindDestDir(3));
}
