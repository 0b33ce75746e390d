// Input at the edges of what the system allows: paths around the 260-character limit of
// the ANSI functions, and script lines of many kilobytes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/path_text.h"
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"
#include "installer/script/application.h"
#include "installer/script/component.h"
#include "installer/script/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {
// A path of exactly length characters below base, in folders of at most 100 characters.
std::string PathOfLength(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() + 1 + 100 + 1 + 12 < length) path += "\\" + std::string(100, 'd');
    size_t nameLength = length - path.size() - 1;
    return path + "\\" + std::string(nameLength - 4, 'f') + ".dat";
}
}  // namespace

TEST(PathLimits, LongerThanTheLimitIsRefusedWithoutLeavingAnything) {
    ScratchDir dir("limits");
    std::string source = dir / "source.dat";
    ASSERT_TRUE(WriteBytes(source, "payload"));
    for (size_t length : {259u, 260u, 261u}) {
        SCOPED_TRACE(length);
        std::string target = PathOfLength(dir.path(), length);
        ASSERT_EQ(length, target.size());
        StrBuf folder = DirectoryPart(target.c_str());
        StrBuf joined = JoinPath(folder, target.c_str() + folder.Length() + 1);
        EXPECT_EQ(target, joined.c_str());   // no cut at any fixed buffer size
        ASSERT_TRUE(CreateDirectoryTree(folder));
        // Within the limit the copy fails too for now: the LZ library opens no path of 128
        // characters or more (measured under Wine 8.0).
        if (length < MAX_PATH) continue;
        EXPECT_FALSE(ExpandCopy(source.c_str(), target.c_str()));
        EXPECT_FALSE(FileExists(target.c_str()));
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
