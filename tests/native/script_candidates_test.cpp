// The platform's choice of setup script and the file-name tests of the removal.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/core/script_candidates.h"

namespace {
std::vector<std::string> Chain(int architecture, int code) {
    std::vector<std::string> names;
    for (const char* name : ScriptCandidates(architecture, code)) names.push_back(name);
    return names;
}

using Names = std::vector<std::string>;
struct Row { int code; Names chain; };

}  // namespace

TEST(ScriptCandidates, ThirtyTwoBitSystemsFallBackInReleaseOrderToWnt) {
    const Names w7 = {"SetupExt.W7", "SetupExt.WVT", "SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"};
    const Row rows[] = {
        {200, {"SetupExt.W95", "SetupExt.WNT"}},
        {210, {"SetupExt.W98", "SetupExt.W95", "SetupExt.WNT"}},
        {290, {"SetupExt.WME", "SetupExt.W98", "SetupExt.W95", "SetupExt.WNT"}},
        {201, {"SetupExt.WNT"}},
        {250, {"SetupExt.WNT"}},
        {299, {"SetupExt.WNT"}},
        {500, {"SetupExt.W2K", "SetupExt.WNT"}},
        {501, {"SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"}},
        {502, {"SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"}},
        {600, {"SetupExt.WVT", "SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"}},
        {503, w7}, {599, w7}, {601, w7}, {602, w7}, {1000, w7},
        {0, {"SetupExt.WNT"}},
        {400, {"SetupExt.WNT"}},
        {300, {"SetupExt.WNT"}},
        {499, {"SetupExt.WNT"}},
        {-1, {"SetupExt.WNT"}},
        {199, {"SetupExt.WNT"}},
    };
    for (const Row& row : rows) EXPECT_EQ(row.chain, Chain(0, row.code)) << "code " << row.code;
}

TEST(ScriptCandidates, SixtyFourBitFamiliesKeepToTheirOwnScripts) {
    struct Family { int architecture; const char* base; };
    for (Family family : {Family{9, "SetupX64"}, Family{6, "SetupI64"}}) {
        std::string b = family.base;
        const Names seven = {b + ".W7", b + ".WVT", b + ".W23", b + ".WXP", b + ".INF"};
        const Row rows[] = {
            {501, {b + ".WXP", b + ".INF"}},
            {502, {b + ".W23", b + ".WXP", b + ".INF"}},
            {600, {b + ".WVT", b + ".W23", b + ".WXP", b + ".INF"}},
            {601, seven}, {602, seven}, {500, seven}, {400, seven}, {210, seven}, {0, seven},
        };
        for (const Row& row : rows)
            EXPECT_EQ(row.chain, Chain(family.architecture, row.code)) << b << " code " << row.code;
    }
}

TEST(ScriptCandidates, ArchitecturesOtherThanX64AndIa64UseTheThirtyTwoBitChain) {
    EXPECT_EQ(Chain(0, 501), Chain(12, 501));   // e.g. an ARM64 system
    EXPECT_EQ(Chain(0, 601), Chain(5, 601));
}

TEST(FileNames, ComparedByTheNameAfterTheLastBackslashIgnoringCase) {
    EXPECT_TRUE(IsScriptName("SETUPEXT.INF"));
    EXPECT_TRUE(IsScriptName("C:\\Temp\\Disk1\\setupext.inf"));
    EXPECT_FALSE(IsScriptName("C:\\SetupExt.inf\\Other.inf"));
    EXPECT_FALSE(IsScriptName("C:\\Temp\\SetupExt.inf.bak"));
    EXPECT_FALSE(IsScriptName("XSetupExt.inf"));
    EXPECT_FALSE(IsScriptName(nullptr));

    EXPECT_TRUE(SameFileName("D:\\TOOLS\\INSTALLY.EXE", "C:\\Program Files\\Tablet\\Instally.exe"));
    EXPECT_TRUE(SameFileName("Instally.exe", "C:\\x\\instally.EXE"));
    EXPECT_FALSE(SameFileName("C:\\x\\Instally.exe", "C:\\x\\Instally.ex"));
    EXPECT_FALSE(SameFileName("C:\\Folder\\", "C:\\Other\\"));   // no name on either side
    EXPECT_FALSE(SameFileName("C:\\Folder\\", ""));
    EXPECT_FALSE(SameFileName(nullptr, "a"));
    EXPECT_FALSE(SameFileName("a", nullptr));
    EXPECT_STREQ("name.txt", FileNamePart("a\\b\\name.txt"));
    EXPECT_STREQ("", FileNamePart("a\\b\\"));
}
