// Installing files over existing ones, with real version resources, locked and read-only
// destinations, and the replies of the user or the silent run.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/files/file_install.h"
#include "tests/fakes/test_support.h"

namespace {
std::string Program(const char* name) { return TestBinDirectory() + "\\versioned_" + name + ".exe"; }

struct Event {
    unsigned code;
    unsigned bits;
    std::string text;
};

// Answers questions from a list (abort once it runs out) and records every event.
struct Recorder {
    std::vector<Event> events;
    std::vector<int> replies;
    size_t next = 0;
    std::string newSource;      // the answer to a missing source; empty gives up
    // Set: the answer points the script's folder entry at this path, as the standard disk
    // request does when the medium moved, and the next request is given up.
    DirEntry* movedFolder = nullptr;
    std::string movedFolderPath;
    int itemBeginReply = 0, itemEndReply = 0;
    std::vector<std::string> requestSources;

    static int Callback(unsigned event, uintptr_t parameter, uintptr_t request, void* context) {
        Recorder& self = *static_cast<Recorder*>(context);
        Event seen{event, 0, ""};
        switch (event) {
        case EV_ITEM_BEGIN:
            seen.text = reinterpret_cast<const char*>(parameter);
            self.events.push_back(seen);
            return self.itemBeginReply;
        case EV_ITEM_END: self.events.push_back(seen); return self.itemEndReply;
        case EV_NEED_SOURCE:
            seen.text = reinterpret_cast<const char*>(parameter);
            seen.bits = static_cast<unsigned>(request);
            self.events.push_back(seen);
            if (self.newSource.empty()) return ReplyCancel;
            lstrcpynA(reinterpret_cast<char*>(parameter), self.newSource.c_str(), kSourceBufferSize);
            if (self.movedFolder) {
                self.movedFolder->path = self.movedFolderPath.c_str();
                self.newSource.clear();
            }
            return ReplyOk;
        default:
            seen.bits = static_cast<unsigned>(parameter);
            self.events.push_back(seen);
            self.requestSources.push_back(reinterpret_cast<const FileCopyRequest*>(request)->sourceDir);
            return self.next < self.replies.size() ? self.replies[self.next++] : ReplyAbort;
        }
    }
    std::vector<unsigned> Codes() const {
        std::vector<unsigned> codes;
        for (const Event& e : events) codes.push_back(e.code);
        return codes;
    }
};

// Records the flags of every call and hands it to the real service.
std::vector<DWORD> g_flags;
VersionInstallFn g_delegate = OwnVersionInstall;
DWORD WINAPI RecordingService(DWORD flags, LPCSTR a, LPCSTR b, LPCSTR c, LPCSTR d, LPCSTR e, LPSTR f, PUINT g) {
    g_flags.push_back(flags);
    return g_delegate(flags, a, b, c, d, e, f, g);
}

// The standard callback's rules; a question it would show fails the test.
struct StandardRules {
    bool silent;
    int asked = 0;
    static int Ask(unsigned, unsigned, void* context) {
        ++static_cast<StandardRules*>(context)->asked;
        return ReplyAbort;
    }
    static int Callback(unsigned event, uintptr_t parameter, uintptr_t, void* context) {
        StandardRules& self = *static_cast<StandardRules*>(context);
        return StandardFileReply(event, static_cast<unsigned>(parameter), self.silent, Ask, context);
    }
};

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";

std::string PendingRenames() {
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return "";
    char data[8192] = {};
    DWORD size = sizeof data - 2;
    if (RegQueryValueExA(key.get(), "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS)
        return "";
    std::string text(data, size);
    for (char& c : text) if (c == 0) c = '|';
    return text;
}

// Keeps the machine's pending-rename list as it was before the test.
struct PendingRenamesGuard {
    ~PendingRenamesGuard() {
        RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), "PendingFileRenameOperations");
    }
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return names;
    do {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    return names;
}

class FileInstall : public ::testing::Test {
protected:
    ScratchDir source{"src"};
    ScratchDir dest{"dst"};
    FileInstallItem item;
    DirEntry sourceFolder;   // the script's table entry the item reads its source from
    Recorder recorder;

    // The questions below are the ones 32-bit Windows asks; on 64-bit Windows every complaint
    // but a conflict goes to the restart (its own test computes the machine's architecture).
    // The fact is process-wide: what an earlier test computed must not decide these.
    int savedArchitecture_ = 0;
    void TearDown() override { SetNativeArchitecture(savedArchitecture_); }

    void SetUp() override {
        savedArchitecture_ = NativeArchitecture();
        SetNativeArchitecture(0);
        g_flags.clear();
        g_delegate = OwnVersionInstall;
        item.displayName = "Tablet tool";
        item.destResolved = true;
        sourceFolder.path = source.path().c_str();
        item.sourceDir = &sourceFolder;
        item.destDir = dest.path().c_str();
        item.sourceName = "tool.exe";
        item.destName = "tool.exe";
        item.versionService = RecordingService;
    }
    void Place(const char* sourceProgram, const char* destProgram) {
        ASSERT_TRUE(CopyFileA(Program(sourceProgram).c_str(), (source / "tool.exe").c_str(), FALSE));
        if (destProgram) ASSERT_TRUE(CopyFileA(Program(destProgram).c_str(), (dest / "tool.exe").c_str(), FALSE));
    }
    FileCopyRequest Request() {
        FileCopyRequest request;
        request.displayName = item.displayName;
        request.sourceDir = item.sourceDir->path;
        request.sourceName = item.sourceName;
        request.destDir = item.destDir;
        request.destName = item.destName;
        return request;
    }
    InstallOutcome Run() { return VersionCheckedInstall(Recorder::Callback, &recorder, Request(), RecordingService); }
    std::string DestBytes() { return ReadBytes(dest / "tool.exe"); }
};
}  // namespace

TEST_F(FileInstall, UnderWineTheProjectsOwnServiceRuns) {
    EXPECT_TRUE(RunningUnderWine());
    EXPECT_EQ(OwnVersionInstall, VersionInstallService());
    SetVersionInstallService(RecordingService);
    EXPECT_EQ(RecordingService, VersionInstallService());
    SetVersionInstallService(nullptr);
    EXPECT_EQ(OwnVersionInstall, VersionInstallService());
}

TEST_F(FileInstall, EveryVersionOutcomeWithRealVersionResources) {
    const unsigned M = VIF_MISMATCH_BIT;
    struct Case {
        const char* source;
        const char* destination;
        std::vector<int> replies;
        InstallOutcome outcome;
        unsigned conflict;          // bits of the one question; 0 = no question
        bool replaced;
    };
    const Case cases[] = {
        {"v2", "v1", {}, OutcomeInstalled, 0, true},
        {"v1b", "v1", {}, OutcomeInstalled, 0, true},                               // equal version
        {"v1", "v2", {ReplyNo}, OutcomeSkipped, M | VIF_SRCOLD_BIT, false},
        {"v1", "v2", {ReplyYes}, OutcomeInstalled, M | VIF_SRCOLD_BIT, true},
        {"german", "v1", {ReplyIgnore}, OutcomeSkipped, M | VIF_DIFFLANG_BIT, false},
        {"unicode", "v1", {ReplyRetry}, OutcomeInstalled, M | VIF_DIFFCODEPG_BIT, true},
        {"library", "v1", {ReplyAbort}, OutcomeAbort, M | VIF_DIFFTYPE_BIT, false},
        {"library", "v1", {ReplyCancel}, OutcomeAbort, M | VIF_DIFFTYPE_BIT, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " over " + c.destination);
        recorder = Recorder();
        recorder.replies = c.replies;
        g_flags.clear();
        Place(c.source, c.destination);
        std::string before = DestBytes();
        EXPECT_EQ(c.outcome, Run());
        ASSERT_EQ(c.conflict ? 1u : 0u, recorder.events.size());
        if (c.conflict) {
            EXPECT_EQ(EV_VERSION_CONFLICT, recorder.events[0].code);
            EXPECT_EQ(c.conflict, recorder.events[0].bits);
        }
        EXPECT_EQ(c.replaced ? ReadBytes(Program(c.source)) : before, DestBytes());
        // Force, once asked for, is used for the next attempt.
        if (c.outcome == OutcomeInstalled && c.conflict) EXPECT_EQ((std::vector<DWORD>{0, kForceInstallFlag}), g_flags);
        // Temporary copies are never left behind.
        EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
    }
}

TEST_F(FileInstall, ReadOnlyDestinationIsAskedAgainWithForceAfterRetry) {
    Place("v2", "v1");
    ASSERT_TRUE(SetFileAttributesA((dest / "tool.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    recorder.replies = {ReplyRetry, ReplyIgnore};
    EXPECT_EQ(OutcomeSkipped, Run());
    ASSERT_EQ(2u, recorder.events.size());
    for (const Event& e : recorder.events) {
        EXPECT_EQ(EV_INSTALL_ERROR, e.code);
        EXPECT_EQ(unsigned(VIF_WRITEPROT_BIT), e.bits);
    }
    EXPECT_EQ((std::vector<DWORD>{0, kForceInstallFlag}), g_flags);
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
}

TEST_F(FileInstall, UnreadableDestinationIsReported) {
    Place("v2", nullptr);
    ASSERT_TRUE(CreateDirectoryA((dest / "tool.exe").c_str(), nullptr));
    recorder.replies = {ReplyAbort};
    EXPECT_EQ(OutcomeAbort, Run());
    ASSERT_EQ(1u, recorder.events.size());
    EXPECT_EQ(unsigned(VIF_CANNOTREADDST_BIT), recorder.events[0].bits);
}

TEST_F(FileInstall, OnSixtyFourBitWindowsEveryOtherComplaintWaitsForTheRestart) {
    ComputeNativeArchitecture();
    ASSERT_EQ(9, NativeArchitecture());
    Place("v2", "v1");
    ASSERT_TRUE(SetFileAttributesA((dest / "tool.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(OutcomeInUse, Run());
    EXPECT_TRUE(recorder.events.empty());
    // Conflicts are still put to the user first.
    SetFileAttributesA((dest / "tool.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
    Place("v1", "v2");
    recorder.replies = {ReplyNo};
    EXPECT_EQ(OutcomeSkipped, Run());
}

TEST_F(FileInstall, DestinationHeldOpenGoesToRestartWithoutAQuestion) {
    PendingRenamesGuard guard;
    Place("v2", "v1");
    {
        FileHandle held(CreateFileA((dest / "tool.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.valid());
        EXPECT_EQ(OutcomeInUse, Run());
        EXPECT_TRUE(recorder.events.empty());

        EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    }
    EXPECT_STREQ(dest.path().c_str(), item.installedLocation);
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_ITEM_END}), recorder.Codes());
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    std::vector<std::string> files = FilesIn(dest.path());
    ASSERT_EQ(2u, files.size());
    std::string temporary = files[0] == "tool.exe" ? files[1] : files[0];
    EXPECT_EQ(0u, temporary.find("ST~")) << temporary;
    EXPECT_EQ(ReadBytes(Program("v2")), ReadBytes(dest / temporary));
    std::string pending = PendingRenames();
    EXPECT_NE(std::string::npos, pending.find(temporary)) << pending;
    EXPECT_NE(std::string::npos, pending.find("tool.exe")) << pending;
}

TEST_F(FileInstall, SystemServiceSharingViolationIsSkippedSilentlyByTheStandardRules) {
    g_delegate = SystemVersionInstall();
    ASSERT_NE(nullptr, g_delegate);
    Place("v2", "v1");
    StandardRules rules{false};
    FileHandle held(CreateFileA((dest / "tool.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_EQ(OutcomeSkipped, VersionCheckedInstall(StandardRules::Callback, &rules, Request(), RecordingService));
    EXPECT_EQ(0, rules.asked);
    held.reset();
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
}

TEST_F(FileInstall, SilentRunInstallsOverConflictsAndSkipsErrors) {
    StandardRules rules{true};
    Place("v1", "v2");
    EXPECT_EQ(OutcomeInstalled, VersionCheckedInstall(StandardRules::Callback, &rules, Request(), RecordingService));
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());

    Place("v2", "v1");
    ASSERT_TRUE(SetFileAttributesA((dest / "tool.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(OutcomeSkipped, VersionCheckedInstall(StandardRules::Callback, &rules, Request(), RecordingService));
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_EQ(0, rules.asked);
    // In silent mode a missing source fails the entry.
    sourceFolder.path = (source / "elsewhere").c_str();
    EXPECT_FALSE(InstallFileEntry(item, StandardRules::Callback, &rules));
}

TEST_F(FileInstall, NewDestinationIsCopiedWithoutTheVersionService) {
    Place("v1", nullptr);
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_TRUE(g_flags.empty());
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_STREQ(dest.path().c_str(), item.installedLocation);
    ASSERT_EQ(2u, recorder.events.size());
    EXPECT_EQ("Tablet tool", recorder.events[0].text);
}

TEST_F(FileInstall, ReplaceAtRestartModeCopiesBesideAnExistingFileOnly) {
    PendingRenamesGuard guard;
    item.installMode = kReplaceAtRestartMode;
    Place("v1", nullptr);
    std::string pendingBefore = PendingRenames();
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
    EXPECT_EQ(pendingBefore, PendingRenames());

    Place("v1", "v2");   // even an older file: versions are not compared
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_TRUE(g_flags.empty());
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());
    EXPECT_EQ(2u, FilesIn(dest.path()).size());
    EXPECT_NE(pendingBefore, PendingRenames());
}

TEST_F(FileInstall, EmptySourceOverNothingGoesThroughTheVersionService) {
    ASSERT_TRUE(WriteBytes(source / "tool.exe", ""));
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ(1u, g_flags.size());
    EXPECT_TRUE(FileThere(dest / "tool.exe"));
    EXPECT_EQ("", DestBytes());
    EXPECT_STREQ(dest.path().c_str(), item.installedLocation);
}

DWORD WINAPI SourceGoneService(DWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPSTR, PUINT) {
    return VIF_CANNOTREADSRC_BIT;
}

TEST_F(FileInstall, EmptySourceLeavesNoEmptyFileWhenTheEntryFails) {
    ASSERT_TRUE(WriteBytes(source / "tool.exe", ""));
    item.installMode = kReplaceAtRestartMode;   // the temporary copy fails as well
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_TRUE(FilesIn(dest.path()).empty());

    item.installMode = 0;
    g_delegate = SourceGoneService;
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ(1u, g_flags.size());
    EXPECT_TRUE(FilesIn(dest.path()).empty());
    EXPECT_TRUE(item.installedLocation.IsEmpty());
}

TEST_F(FileInstall, SourceFoundAfterAskingForIt) {
    Place("v2", nullptr);
    sourceFolder.path = "C:\\no such medium";
    recorder.newSource = source.path();
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_NEED_SOURCE, EV_ITEM_END}), recorder.Codes());
    EXPECT_EQ("Tablet tool", recorder.events[1].text);
    EXPECT_EQ(unsigned(kSourceBufferSize), recorder.events[1].bits);
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());
}

TEST_F(FileInstall, AfterTheDiskRequestTheFileIsLookedForInTheScriptsFolderAsItNowStands) {
    Place("v2", nullptr);
    sourceFolder.path = "C:\\no such medium";
    recorder.newSource = "C:\\no such medium root";   // the buffer holds the medium's root only
    recorder.movedFolder = &sourceFolder;
    recorder.movedFolderPath = source.path();
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_NEED_SOURCE, EV_ITEM_END}), recorder.Codes());
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());
    EXPECT_STREQ(dest.path().c_str(), item.installedLocation);
}

TEST_F(FileInstall, FailuresEndTheEntryWithoutItsEndEvent) {
    Place("v1", "v2");
    sourceFolder.path = "C:\\no such medium";
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));   // the user gives up
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_NEED_SOURCE}), recorder.Codes());

    recorder = Recorder();
    sourceFolder.path = source.path().c_str();
    recorder.replies = {ReplyAbort};
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_VERSION_CONFLICT}), recorder.Codes());
    EXPECT_TRUE(item.installedLocation.IsEmpty());

    recorder = Recorder();
    item.destResolved = false;
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN}), recorder.Codes());
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());
}

TEST_F(FileInstall, CancelAtTheStartSkipsTheFileAndCancelAtTheEndFailsTheList) {
    Place("v2", nullptr);
    recorder.itemBeginReply = 1;
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_FALSE(FileThere(dest / "tool.exe"));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_ITEM_END}), recorder.Codes());

    recorder = Recorder();
    recorder.itemEndReply = 1;
    EXPECT_FALSE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());
    EXPECT_STREQ(dest.path().c_str(), item.installedLocation);

    // A skipped file is not recorded as installed.
    FileInstallItem skipped = item;
    skipped.installedLocation.Empty();
    Place("v1", "v2");
    recorder = Recorder();
    recorder.replies = {ReplyNo};
    EXPECT_TRUE(InstallFileEntry(skipped, Recorder::Callback, &recorder));
    EXPECT_TRUE(skipped.installedLocation.IsEmpty());
}

TEST_F(FileInstall, CompressedSourcesAreExpandedOnEveryPath) {
    std::string compressed = TestBinDirectory() + "\\versioned_v1.ex_";
    ASSERT_NE(ReadBytes(Program("v1")), ReadBytes(compressed));
    ASSERT_TRUE(CopyFileA(compressed.c_str(), (source / "tool.ex_").c_str(), FALSE));
    item.sourceName = "tool.ex_";
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));   // a new file
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());

    // Over a newer file the expanded file's version is compared: it is older.
    ASSERT_TRUE(CopyFileA(Program("v2").c_str(), (dest / "tool.exe").c_str(), FALSE));
    recorder = Recorder();
    recorder.replies = {ReplyNo};
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ((std::vector<unsigned>{EV_ITEM_BEGIN, EV_VERSION_CONFLICT, EV_ITEM_END}), recorder.Codes());
    EXPECT_EQ(unsigned(VIF_MISMATCH_BIT | VIF_SRCOLD_BIT), recorder.events[1].bits);
    EXPECT_EQ(ReadBytes(Program("v2")), DestBytes());

    // Installed anyway: the expanded bytes arrive.
    recorder.replies = {ReplyYes};
    recorder.next = 0;
    EXPECT_TRUE(InstallFileEntry(item, Recorder::Callback, &recorder));
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
}

namespace {
enum Hold { NotHeld, HeldReadable, HeldExclusively };
}  // namespace

TEST_F(FileInstall, OwnServiceResultBitsForEverySituation) {
    // What the project's service answers, situation by situation, as the system's does: the
    // versions are compared before the destination's state is looked at, so an older file over
    // a newer one that a program holds is a question, never a silent replacement at restart.
    const unsigned M = VIF_MISMATCH_BIT, T = VIF_TEMPFILE_BIT;
    struct Case {
        const char* source;
        const char* destination;   // null: a folder of the destination's name (unreadable)
        Hold hold;
        bool readOnly;
        DWORD flags;
        unsigned bits;
    };
    const Case cases[] = {
        {"v2", "v1", NotHeld, false, 0, 0},
        {"v1", "v2", NotHeld, false, 0, M | VIF_SRCOLD_BIT | T},
        {"german", "v1", NotHeld, false, 0, M | VIF_DIFFLANG_BIT | T},
        {"unicode", "v1", NotHeld, false, 0, M | VIF_DIFFCODEPG_BIT | T},
        {"library", "v1", NotHeld, false, 0, M | VIF_DIFFTYPE_BIT | T},
        {"v1", "v2", NotHeld, false, kForceInstallFlag, 0},
        {"v1", "v2", HeldReadable, false, 0, M | VIF_SRCOLD_BIT | T},
        {"v2", "v1", HeldReadable, false, 0, VIF_FILEINUSE_BIT | T},
        {"v1", "v2", HeldReadable, false, kForceInstallFlag, VIF_FILEINUSE_BIT | T},
        {"v2", "v1", HeldExclusively, false, 0, VIF_FILEINUSE_BIT | T},   // not even readable
        {"v1", "v2", NotHeld, true, 0, M | VIF_SRCOLD_BIT | T},
        {"v2", "v1", NotHeld, true, 0, VIF_WRITEPROT_BIT | T},
        {"v1", "v2", NotHeld, true, kForceInstallFlag, VIF_WRITEPROT_BIT | T},
        {"v2", nullptr, NotHeld, false, 0, VIF_CANNOTREADDST_BIT | T},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " over " + (c.destination ? c.destination : "a folder") + " hold " +
                     std::to_string(c.hold) + (c.readOnly ? " read-only" : "") + (c.flags ? " forced" : ""));
        ScratchDir folder("own-service");
        std::string destination = folder / "tool.exe";
        ASSERT_TRUE(CopyFileA(Program(c.source).c_str(), (source / "tool.exe").c_str(), FALSE));
        if (c.destination) {
            ASSERT_TRUE(CopyFileA(Program(c.destination).c_str(), destination.c_str(), FALSE));
        } else {
            ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
        }
        if (c.readOnly) SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_READONLY);
        std::string before = c.destination ? ReadBytes(destination) : "";
        DWORD bits;
        {
            FileHandle held;
            if (c.hold != NotHeld)
                held.reset(CreateFileA(destination.c_str(), GENERIC_READ, c.hold == HeldReadable ? FILE_SHARE_READ : 0,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_EQ(c.hold != NotHeld, held.valid());
            char tempName[MAX_PATH] = "";
            UINT tempLength = sizeof tempName;
            bits = OwnVersionInstall(c.flags, "tool.exe", "tool.exe", source.path().c_str(), folder.path().c_str(),
                                     folder.path().c_str(), tempName, &tempLength);
            if (bits & T) {
                EXPECT_EQ(ReadBytes(Program(c.source)), ReadBytes(folder / tempName));
                EXPECT_TRUE(DeleteFileA((folder / tempName).c_str()));
            }
        }
        EXPECT_EQ(c.bits, bits);
        std::string expected = c.bits == 0 ? ReadBytes(Program(c.source)) : before;
        if (c.destination) EXPECT_EQ(expected, ReadBytes(destination));
        EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(folder.path()));
        SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(destination.c_str());
    }
}

TEST_F(FileInstall, DamagedCompressedSourceIsUnreadableNotALackOfSpace) {
    // A compressed file whose header names a method the LZ library does not know.
    std::string bytes = ReadBytes(TestBinDirectory() + "\\versioned_v1.ex_");
    ASSERT_GT(bytes.size(), 14u);
    ASSERT_EQ('A', bytes[8]);
    bytes[8] = 'Q';
    ASSERT_TRUE(WriteBytes(source / "tool.ex_", bytes));
    Place("v2", "v1");
    char tempName[MAX_PATH] = "";
    UINT tempLength = sizeof tempName;
    DWORD bits = OwnVersionInstall(0, "tool.ex_", "tool.exe", source.path().c_str(), dest.path().c_str(),
                                   dest.path().c_str(), tempName, &tempLength);
    EXPECT_EQ(unsigned(VIF_CANNOTREADSRC_BIT), bits);
    EXPECT_EQ(ReadBytes(Program("v1")), DestBytes());
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, FilesIn(dest.path()));
}
