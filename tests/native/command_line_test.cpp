#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/run/command_line.h"

namespace {
std::vector<std::string> Pieces(const char* line) {
    std::vector<std::string> out;
    for (const StrBuf& p : SplitSwitchPieces(line)) out.push_back(p.c_str());
    return out;
}
}  // namespace

TEST(CommandLine, KnownSwitchTailsStartANewPiece) {
    EXPECT_TRUE(IsKnownSwitch("S"));
    EXPECT_TRUE(IsKnownSwitch("silentinstall"));
    EXPECT_TRUE(IsKnownSwitch("nodrv"));
    EXPECT_FALSE(IsKnownSwitch("S /NODRV"));     // equality covers the whole tail
    EXPECT_TRUE(IsKnownSwitch("x DEV:2"));        // contains
    EXPECT_FALSE(IsKnownSwitch("dev:2"));         // case-sensitive
    EXPECT_TRUE(IsKnownSwitch("a DEFDIR:b"));
    EXPECT_TRUE(IsKnownSwitch("@SetupExt\\X"));
    EXPECT_FALSE(IsKnownSwitch("x@y"));
}

TEST(CommandLine, PiecesAreCutOnlyBeforeRecognisedTails) {
    EXPECT_EQ((std::vector<std::string>{"/DEFDIR:C:\\a -b", "/S"}), Pieces("/DEFDIR:C:\\a -b /S"));
    EXPECT_EQ((std::vector<std::string>{"/S", "/NODRV"}), Pieces("/S /NODRV"));
    EXPECT_EQ((std::vector<std::string>{"/NODRV", "/S"}), Pieces("/NODRV /S"));
    // "S" is not the last switch here, so its separator does not cut.
    EXPECT_EQ((std::vector<std::string>{"/S /x"}), Pieces("/S /x"));
    // Every separator before a later DEV: switch cuts, even inside a value.
    EXPECT_EQ((std::vector<std::string>{"/DEFDIR:C:\\a", "-b", "/DEV:2"}), Pieces("/DEFDIR:C:\\a -b /DEV:2"));
    EXPECT_EQ((std::vector<std::string>{"/a"}), Pieces("  \t/a \r\n"));
    EXPECT_TRUE(Pieces(" \t ").empty());
}

struct SwitchCase {
    const char* line;
    bool silent, noDetection;
    int device;
    const char* defaultDir;
    const char* sourceDir;   // null: not given
    const char* recordKey;   // null: no "@"
};

TEST(CommandLine, SwitchesSetTheirOptions) {
    const SwitchCase cases[] = {
        {"", false, false, 0, "", nullptr, nullptr},
        {"/S", true, false, 0, "", nullptr, nullptr},
        {"/s", true, false, 0, "", nullptr, nullptr},
        {"-SilentInstall", true, false, 0, "", nullptr, nullptr},
        {"/dev:2", false, false, 0, "", "dev:2", nullptr},
        {"/DEV:2", false, false, 2, "", nullptr, nullptr},
        {"/DEV:-3x", false, false, -3, "", nullptr, nullptr},
        {"/DEV:", false, false, 0, "", nullptr, nullptr},
        {"/DEV: 2", false, false, 0, "", nullptr, nullptr},   // a blank is no digit
        {"/DEV:+7", false, false, 7, "", nullptr, nullptr},
        {"/DEFDIR:C:\\a -b /S", true, false, 0, "C:\\a -b", nullptr, nullptr},
        {"-SilentInstall -DEFDIR:C:\\Program Files\\Tablet", true, false, 0, "C:\\Program Files\\Tablet", nullptr, nullptr},
        {"/S /NODRV", true, true, 0, "", nullptr, nullptr},
        {"/NODRV /S", true, true, 0, "", nullptr, nullptr},
        {"/XDEV:5DEFDIR:C:\\d", false, false, 5, "", nullptr, nullptr},   // DEV: wins over DEFDIR:
        {"/D:\\disk1", false, false, 0, "", "D:\\disk1", nullptr},
        {"setup.inf", false, false, 0, "", nullptr, nullptr},            // no leading - or /: ignored
        {"/@SetupExt\\Tablet /NODRV", false, false, 0, "", nullptr, "SetupExt\\Tablet"},   // later switches ignored
        // "S" is not last here, so its separator does not cut: it stays in the key.
        {"/@SetupExt\\Tablet /S /NODRV", false, false, 0, "", nullptr, "SetupExt\\Tablet /S"},
        {"/S /@SetupExt\\A B", true, false, 0, "", nullptr, "SetupExt\\A B"},
        {"/a /b", false, false, 0, "", "a /b", nullptr},                  // the last unknown switch wins
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.line);
        CommandLineOptions o = ReadCommandLine(c.line);
        EXPECT_EQ(c.silent, o.silent);
        EXPECT_EQ(c.noDetection, o.noDetection);
        EXPECT_EQ(c.device, o.deviceType);
        EXPECT_EQ(std::string(c.defaultDir), o.defaultDir.c_str());
        EXPECT_EQ(c.sourceDir != nullptr, o.sourceDirGiven);
        if (c.sourceDir) EXPECT_EQ(std::string(c.sourceDir), o.sourceDir.c_str());
        EXPECT_EQ(c.recordKey != nullptr, o.hasRecordKey);
        if (c.recordKey) EXPECT_EQ(std::string(c.recordKey), o.recordKey.c_str());
    }
}
