// Decisions of file installation that need no machine: replies, result steps, messages,
// version comparison, the rename list's placeholder and the folders pruning must not touch.
#include <gtest/gtest.h>
#include <string>
#include <cstring>
#include "installer/files/install_decisions.h"
#include "installer/files/lz_header.h"
#include "installer/files/protected_folders.h"
#include "installer/files/version_compare.h"
#include "installer/files/wininit_rename.h"
#include "resources/resource_ids.h"

TEST(QuestionReplies, RetryAndYesForceIgnoreAndNoSkipEverythingElseAborts) {
    struct Case { int reply; QuestionAnswer answer; };
    const Case cases[] = {
        {ReplyRetry, QuestionAnswer::Force}, {ReplyYes, QuestionAnswer::Force},
        {ReplyIgnore, QuestionAnswer::Skip},  {ReplyNo, QuestionAnswer::Skip},
        {ReplyAbort, QuestionAnswer::Abort},  {ReplyOk, QuestionAnswer::Abort},
        {ReplyCancel, QuestionAnswer::Abort}, {0, QuestionAnswer::Abort}, {-1, QuestionAnswer::Abort},
    };
    for (const Case& c : cases) EXPECT_EQ(c.answer, AnswerFromReply(c.reply)) << "reply " << c.reply;
}

TEST(ServiceResults, StepDependsOnGroupsAndOnSixtyFourBitWindows) {
    struct Case { unsigned result; int architecture; ResultStep step; };
    const Case cases[] = {
        {0, 0, ResultStep::Done},
        {0, 9, ResultStep::Done},
        {VIF_CANNOTREADSRC_BIT | VIF_FILEINUSE_BIT, 0, ResultStep::SourceUnreadable},
        {VIF_FILEINUSE_BIT | VIF_SRCOLD_BIT | VIF_TEMPFILE_BIT, 0, ResultStep::InUse},
        {VIF_SRCOLD_BIT | VIF_MISMATCH_BIT | VIF_TEMPFILE_BIT, 9, ResultStep::AskConflict},
        {VIF_DIFFLANG_BIT | VIF_WRITEPROT_BIT, 0, ResultStep::AskConflict},
        {VIF_WRITEPROT_BIT, 0, ResultStep::AskError},
        {VIF_WRITEPROT_BIT, 9, ResultStep::InUse},
        {VIF_CANNOTDELETE_BIT | VIF_SHARINGVIOLATION_BIT, 6, ResultStep::InUse},
        // Bits outside both groups: installed on 32-bit Windows, replaced at restart on 64-bit.
        {VIF_CANNOTDELETECUR_BIT, 0, ResultStep::Done},
        {VIF_CANNOTDELETECUR_BIT, 9, ResultStep::InUse},
        {VIF_TEMPFILE_BIT, 6, ResultStep::InUse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.step, StepForResult(c.result, c.architecture)) << std::hex << c.result << " arch " << c.architecture;
}

TEST(StandardCallback, InstallErrorMessageIsChosenByTheHighestRankedBit) {
    struct Case { unsigned bits; unsigned id; };
    const Case cases[] = {
        {VIF_WRITEPROT_BIT | VIF_CANNOTREADDST_BIT | VIF_CANNOTCREATE_BIT, IDS_ERR_WRITEPROT},
        {VIF_CANNOTREADDST_BIT | VIF_OUTOFMEMORY_BIT, IDS_ERR_CANNOTREADDST},
        {VIF_OUTOFMEMORY_BIT | VIF_OUTOFSPACE_BIT, IDS_ERR_OUTOFMEMORY},
        {VIF_OUTOFSPACE_BIT | VIF_CANNOTRENAME_BIT, IDS_ERR_OUTOFSPACE},
        {VIF_CANNOTRENAME_BIT | VIF_CANNOTDELETE_BIT, IDS_ERR_CANNOTRENAME},
        {VIF_CANNOTDELETE_BIT | VIF_CANNOTCREATE_BIT, IDS_ERR_CANNOTDELETE},
        {VIF_CANNOTCREATE_BIT, IDS_ERR_CANNOTCREATE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.id, InstallErrorMessageId(c.bits)) << std::hex << c.bits;
        CallbackDecision asked = DecideInstallError(c.bits, false);
        EXPECT_TRUE(asked.ask);
        EXPECT_EQ(c.id, asked.messageId);
        CallbackDecision silent = DecideInstallError(c.bits, true);
        EXPECT_FALSE(silent.ask);
        EXPECT_EQ(ReplyIgnore, silent.reply);
    }
}

TEST(StandardCallback, AccessAndSharingViolationsAreSkippedWithoutAsking) {
    for (unsigned bits : {VIF_ACCESSVIOLATION_BIT | VIF_WRITEPROT_BIT, VIF_SHARINGVIOLATION_BIT | VIF_CANNOTDELETE_BIT,
                          unsigned(VIF_SHARINGVIOLATION_BIT)}) {
        CallbackDecision decision = DecideInstallError(bits, false);
        EXPECT_FALSE(decision.ask) << std::hex << bits;
        EXPECT_EQ(ReplyIgnore, decision.reply);
    }
}

TEST(StandardCallback, ConflictMessageFollowsTypeCodePageLanguageAgeMismatch) {
    struct Case { unsigned bits; unsigned id; };
    const Case cases[] = {
        {VIF_DIFFTYPE_BIT | VIF_DIFFCODEPG_BIT | VIF_MISMATCH_BIT, IDS_CONFLICT_DIFFTYPE},
        {VIF_DIFFCODEPG_BIT | VIF_DIFFLANG_BIT, IDS_CONFLICT_DIFFCODEPG},
        {VIF_DIFFLANG_BIT | VIF_SRCOLD_BIT | VIF_MISMATCH_BIT, IDS_CONFLICT_DIFFLANG},
        {VIF_SRCOLD_BIT | VIF_MISMATCH_BIT, IDS_CONFLICT_SRCOLD},
        {VIF_MISMATCH_BIT, IDS_CONFLICT_MISMATCH},
    };
    for (const Case& c : cases) {
        CallbackDecision decision = DecideVersionConflict(c.bits, false);
        EXPECT_TRUE(decision.ask);
        EXPECT_EQ(c.id, decision.messageId) << std::hex << c.bits;
        // Silent runs install the new file.
        EXPECT_EQ(ReplyRetry, DecideVersionConflict(c.bits, true).reply);
        EXPECT_EQ(QuestionAnswer::Force, AnswerFromReply(DecideVersionConflict(c.bits, true).reply));
    }
}

TEST(StandardCallback, MissingSourceInSilentModeFailsTheEntry) {
    CallbackDecision silent = DecideNeedSource(true);
    EXPECT_FALSE(silent.ask);
    EXPECT_NE(ReplyOk, silent.reply);
    EXPECT_TRUE(DecideNeedSource(false).ask);
}

namespace {
VersionFacts Facts(uint64_t version, uint32_t type = 1, uint16_t language = 0x409, uint16_t codePage = 1252) {
    VersionFacts facts;
    facts.hasFixedInfo = true;
    facts.fileVersion = version;
    facts.fileType = type;
    facts.hasTranslation = true;
    facts.language = language;
    facts.codePage = codePage;
    return facts;
}
const uint64_t kV1 = 0x0001000000000000ull, kV2 = 0x0002000000000000ull;
}  // namespace

TEST(VersionComparison, OlderOrDifferentFilesConflictEqualAndNewerDoNot) {
    const unsigned M = VIF_MISMATCH_BIT;
    struct Case { VersionFacts source, destination; unsigned bits; };
    const Case cases[] = {
        {Facts(kV2), Facts(kV1), 0},
        {Facts(kV1), Facts(kV1), 0},
        {Facts(kV1), Facts(kV2), M | VIF_SRCOLD_BIT},
        {Facts(kV1, 1, 0x407), Facts(kV1), M | VIF_DIFFLANG_BIT},
        {Facts(kV1, 1, 0x409, 1200), Facts(kV1), M | VIF_DIFFCODEPG_BIT},
        {Facts(kV1, 2), Facts(kV1), M | VIF_DIFFTYPE_BIT},
        {Facts(kV1 + 1), Facts(kV1 + 2, 2, 0x407, 1200), M | VIF_SRCOLD_BIT | VIF_DIFFTYPE_BIT | VIF_DIFFLANG_BIT | VIF_DIFFCODEPG_BIT},
        {VersionFacts(), Facts(kV2), 0},
        {Facts(kV1), VersionFacts(), 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].bits, VersionConflictBits(cases[i].source, cases[i].destination)) << "case " << i;
}

TEST(RenameList, PlaceholderLineBecomesDestinationOrNulOthersStay) {
    EXPECT_EQ(std::string("C:\\WINDOWS\\SYSTEM\\TAB.DLL=C:\\WINDOWS\\SYSTEM\\ST~1A.TMP\n"),
              RenameLine("DELSETUPEXT=C:\\WINDOWS\\SYSTEM\\ST~1A.TMP\n", "C:\\WINDOWS\\SYSTEM\\TAB.DLL").c_str());
    EXPECT_EQ(std::string("NUL=C:\\TEMP\\ST~2B.TMP\n"), RenameLine("DELSETUPEXT=C:\\TEMP\\ST~2B.TMP\n", "").c_str());
    EXPECT_EQ(std::string("NUL=C:\\X.TMP"), RenameLine("DELSETUPEXT=C:\\X.TMP", nullptr).c_str());
    for (const char* other : {"[Rename]\n", "NUL=C:\\OTHER.TMP\n", "C:\\A.DLL=C:\\B.DLL\n", "delsetupext=x\n", ""})
        EXPECT_EQ(std::string(other), RenameLine(other, "C:\\D.DLL").c_str());
}

TEST(PruneProtection, DriveRootsAndSystemFoldersAreProtected) {
    const char* windows = "C:\\windows";
    const char* system = "C:\\windows\\system32";
    for (const char* path : {"C:\\", "C:", "c:\\\\", "\\", "", "C:\\WINDOWS", "c:\\windows\\", "C:\\Windows\\System32\\",
                             "\\\\server\\share", "\\\\server\\share\\", "D:\\"})
        EXPECT_TRUE(IsProtectedFolder(path, windows, system)) << path;
    for (const char* path : {"C:\\Program Files\\Tablet", "C:\\windows\\system32\\drivers", "C:\\windowsold",
                             "\\\\server\\share\\tablet", "D:\\x"})
        EXPECT_FALSE(IsProtectedFolder(path, windows, system)) << path;
    EXPECT_FALSE(IsProtectedFolder("C:\\Tablet", "", nullptr));
}

TEST(LzHeader, OnlyAWholeHeaderWithTheSignatureIsCompressed) {
    const unsigned char compressed[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'x', 5, 0, 0, 0, 'd'};
    EXPECT_TRUE(IsLzCompressedHeader(compressed, sizeof compressed));
    EXPECT_TRUE(IsLzCompressedHeader(compressed, kLzHeaderSize));
    // A file shorter than the header is copied as it is, signature or not.
    EXPECT_FALSE(IsLzCompressedHeader(compressed, kLzHeaderSize - 1));
    unsigned char altered[sizeof compressed];
    for (size_t i = 0; i < 8; ++i) {
        memcpy(altered, compressed, sizeof altered);
        altered[i] ^= 0x20;   // "szdd" in lower case is no signature either
        EXPECT_FALSE(IsLzCompressedHeader(altered, sizeof altered)) << "byte " << i;
    }
    const unsigned char text[] = "[Version]\r\nSignature=x";
    EXPECT_FALSE(IsLzCompressedHeader(text, sizeof text - 1));
    EXPECT_FALSE(IsLzCompressedHeader(nullptr, 20));
}
