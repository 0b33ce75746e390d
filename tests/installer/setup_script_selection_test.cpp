// Finding and expanding the platform's setup script on a medium, with real files and the
// system's LZ expansion.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/script_candidates.h"
#include "installer/run/setup_script_selection.h"
#include "installer/run/startup.h"
#include "tests/fakes/test_support.h"

namespace {
// A script stored plain and, made by mscompress at build time, LZ-compressed (SZDD).
std::string PlainScript() { return ReadBytes(TestBinDirectory() + "\\fixtures\\lz_script_sample.inf"); }
std::string CompressedScript() { return ReadBytes(TestBinDirectory() + "\\fixtures\\lz_script_sample.inf_"); }

// A medium holding the named files, each holding its own name unless given other bytes.
struct Medium {
    ScratchDir dir{"medium"};
    std::string destination = dir / "expanded.tmp";
    explicit Medium(const std::vector<std::string>& names) {
        for (const std::string& name : names) WriteBytes(dir / name, "[" + name + "]\r\n");
        WriteBytes(destination, "");
    }
    // The file the chain chose, read from the expanded copy; "" when none was chosen.
    std::string Chosen(const std::vector<const char*>& chain) {
        if (!ExpandFirstCandidate(destination.c_str(), dir.path().c_str(), chain)) return "";
        std::string text = ReadBytes(destination);
        return text.size() > 3 ? text.substr(1, text.size() - 4) : "?";
    }
};
}  // namespace

TEST(SetupScriptSelection, TheFirstExistingCandidateOfTheChainIsUsed) {
    EXPECT_EQ("SetupExt.WNT", Medium({"SetupExt.WNT"}).Chosen(ScriptCandidates(0, 501)));
    EXPECT_EQ("SetupExt.WXP", Medium({"SetupExt.WXP", "SetupExt.W2K"}).Chosen(ScriptCandidates(0, 601)));
    EXPECT_EQ("", Medium({"SetupExt.WNT"}).Chosen(ScriptCandidates(9, 601)));
    EXPECT_EQ("SetupExt.W95", Medium({"SetupExt.W95", "SetupExt.WNT"}).Chosen(ScriptCandidates(0, 210)));
    EXPECT_EQ("SetupX64.W23", Medium({"SetupX64.INF", "SetupX64.W23", "SetupX64.W7"}).Chosen(ScriptCandidates(9, 502)));
    // Names are found in any case, as the medium's file system does.
    EXPECT_EQ("setupext.w2k", Medium({"setupext.w2k"}).Chosen(ScriptCandidates(0, 500)));
    EXPECT_EQ("", Medium({}).Chosen(ScriptCandidates(0, 500)));
}

TEST(SetupScriptSelection, ACompressedScriptIsExpandedAndAPlainOneCopiedUnchanged) {
    std::string plain = PlainScript(), compressed = CompressedScript();
    ASSERT_GT(plain.size(), 4096u);   // longer than the expansion's window
    ASSERT_EQ("SZDD", compressed.substr(0, 4));
    ASSERT_NE(plain, compressed);

    ComputeNativeArchitecture();
    std::vector<const char*> chain = ScriptCandidates(NativeArchitecture(), GetOsVersionCode());
    ASSERT_GE(chain.size(), 2u);
    {
        ScratchDir medium("compressed");
        WriteBytes(medium / chain.front(), compressed);
        std::string destination = medium / "expanded.tmp";
        WriteBytes(destination, "");
        EXPECT_TRUE(SelectSetupScript(destination.c_str(), medium.path().c_str()));
        EXPECT_EQ(plain, ReadBytes(destination));
    }
    {
        ScratchDir medium("plain");
        WriteBytes(medium / chain.back(), plain);
        std::string destination = medium / "copied.tmp";
        WriteBytes(destination, "old and longer text that must not survive the copy");
        std::string withSlash = medium.path() + "\\";
        EXPECT_TRUE(SelectSetupScript(destination.c_str(), withSlash.c_str()));
        EXPECT_EQ(plain, ReadBytes(destination));
    }
}

TEST(SetupScriptSelection, AMediumInADeepFolderIsFoundAndExpandedAtEveryPathLength) {
    std::string plain = PlainScript(), compressed = CompressedScript();
    ComputeNativeArchitecture();
    std::vector<const char*> chain = ScriptCandidates(NativeArchitecture(), GetOsVersionCode());
    ScratchDir medium("deep");
    for (size_t length : {100u, 126u, 127u, 128u, 129u, 140u, 180u, 240u}) {
        // A folder name that makes the candidate's full path exactly this long.
        size_t fixed = medium.path().size() + 2 + strlen(chain.front());
        ASSERT_GT(length, fixed + 4);
        std::string folder = medium / std::string(length - fixed, 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << length;
        std::string candidate = folder + "\\" + chain.front();
        ASSERT_EQ(length, candidate.size());
        WriteBytes(candidate, length % 2 ? compressed : plain);
        WriteBytes(folder + "\\" + chain.back(), "[Later]\r\n");
        std::string destination = folder + "\\x.tmp";
        WriteBytes(destination, "");
        EXPECT_TRUE(SelectSetupScript(destination.c_str(), folder.c_str())) << length;
        EXPECT_TRUE(plain == ReadBytes(destination)) << length;
        RemoveTree(folder);
    }
}

TEST(SetupScriptSelection, AnEmptyOrUnusableCandidateIsAFailure) {
    ComputeNativeArchitecture();
    std::vector<const char*> chain = ScriptCandidates(NativeArchitecture(), GetOsVersionCode());
    ScratchDir medium("empty");
    WriteBytes(medium / chain.front(), "");
    WriteBytes(medium / chain.back(), "[Later]\r\n");   // not tried once an earlier name exists
    std::string destination = medium / "expanded.tmp";
    WriteBytes(destination, "");
    EXPECT_FALSE(SelectSetupScript(destination.c_str(), medium.path().c_str()));

    DeleteFileA((medium / chain.front()).c_str());
    std::string unwritable = medium / "no such folder\\expanded.tmp";
    EXPECT_FALSE(SelectSetupScript(unwritable.c_str(), medium.path().c_str()));
    EXPECT_FALSE(SelectSetupScript(destination.c_str(), (medium / "no such folder").c_str()));
    EXPECT_FALSE(SelectSetupScript(nullptr, medium.path().c_str()));
    EXPECT_FALSE(SelectSetupScript(destination.c_str(), nullptr));
    EXPECT_TRUE(SelectSetupScript(destination.c_str(), medium.path().c_str()));
    EXPECT_EQ("[Later]\r\n", ReadBytes(destination));
}

TEST(SetupScriptSelection, OwnProgramAndMainScriptAreRecognisedByFileName) {
    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string name = strrchr(own, '\\') + 1;
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(IsOwnProgramName(("C:\\Elsewhere\\" + upper).c_str()));
    EXPECT_TRUE(IsOwnProgramName(name.c_str()));
    EXPECT_FALSE(IsOwnProgramName(("C:\\Elsewhere\\" + name + ".bak").c_str()));
    EXPECT_FALSE(IsOwnProgramName("C:\\Elsewhere\\"));
    EXPECT_FALSE(IsOwnProgramName(nullptr));
    EXPECT_TRUE(IsScriptName("D:\\DISK1\\SETUPEXT.INF"));
    EXPECT_FALSE(IsScriptName("D:\\DISK1\\SetupX64.INF"));
}
