// File installation when the machine gets in the way: a read-only destination, one held open
// by another process, file lines of many kilobytes and paths around 260 characters. Every
// question goes through the standard callback's decisions, answered by the test, and the
// files that were there before stay as they were.
#include <gtest/gtest.h>
#include <windows.h>
#include <list>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/run/startup.h"
#include "installer/files/file_install.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/script/script_node.h"
#include "installer/tree/setup_script.h"
#include "resources/resource_ids.h"
#include "tests/fakes/test_support.h"

namespace {
// The standard callback's decisions with the test as the user: every question shown is
// recorded with its message and answered with `answer`.
struct StandardReplies {
    bool silent = false;
    int answer = ReplyIgnore;
    struct Question { unsigned event, messageId; };
    std::vector<Question> asked;
    std::vector<unsigned> events;

    static int Ask(unsigned event, unsigned messageId, void* context) {
        auto& self = *static_cast<StandardReplies*>(context);
        self.asked.push_back({event, messageId});
        return self.answer;
    }
    static int Callback(unsigned event, uintptr_t parameter, uintptr_t, void* context) {
        auto& self = *static_cast<StandardReplies*>(context);
        self.events.push_back(event);
        if (event == EV_INSTALL_ERROR || event == EV_VERSION_CONFLICT)
            return StandardFileReply(event, static_cast<unsigned>(parameter), self.silent, Ask, &self);
        if (event == EV_NEED_SOURCE) return StandardFileReply(event, 0, self.silent, Ask, &self);
        return 0;
    }
    int Count(unsigned event) const {
        int n = 0;
        for (unsigned e : events) n += e == event;
        return n;
    }
};

// The delayed renames a run adds are taken back, so that no later restart of the test
// prefix acts on them.
class PendingRenames {
public:
    PendingRenames() { saved_ = Read(&had_); }
    ~PendingRenames() {
        RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return;
        if (had_)
            RegSetValueExA(key.get(), kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(saved_.data()),
                           static_cast<DWORD>(saved_.size()));
        else
            RegDeleteValueA(key.get(), kValue);
    }
    // True when a rename onto path was added.
    bool Names(const std::string& path) const {
        bool there = false;
        std::string now = Read(&there);
        return now.size() > saved_.size() && now.find(path) != std::string::npos;
    }
private:
    static std::string Read(bool* there) {
        std::string data(1 << 16, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        *there = RegGetValueA(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, &data[0], &size) ==
                 ERROR_SUCCESS;
        data.resize(*there ? size : 0);
        return data;
    }
    static constexpr const char* kKey = "System\\CurrentControlSet\\Control\\Session Manager";
    static constexpr const char* kValue = "PendingFileRenameOperations";
    std::string saved_;
    bool had_ = false;
};

// The script's source folder entry an item reads; each stays for the rest of the program.
const DirEntry* SourceFolder(const std::string& path) {
    static std::list<DirEntry> folders;
    folders.emplace_back();
    folders.back().path = path.c_str();
    return &folders.back();
}

FileInstallItem ItemFor(const std::string& sourceDir, const std::string& destDir, const std::string& name) {
    FileInstallItem item;
    item.displayName = name.c_str();
    item.destResolved = true;
    item.sourceDir = SourceFolder(sourceDir);
    item.sourceName = name.c_str();
    item.destDir = destDir.c_str();
    item.destName = name.c_str();
    return item;
}

bool Windows64() { return NativeArchitecture() == 9 || NativeArchitecture() == 6; }

// A medium and an installation folder, the destination already holding an older copy.
struct ExistingDestination {
    ScratchDir medium{"fault-medium"};
    ScratchDir target{"fault-target"};
    std::string destination = target / "PEN.SYS";
    ExistingDestination() {
        WriteBytes(medium / "PEN.SYS", "the new driver");
        WriteBytes(destination, "the driver the user has");
    }
};
}  // namespace

TEST(FaultMatrix, ReadOnlyDestinationIsKeptAndReplacedOnlyAtRestart) {
    // Start-up fixes the architecture the file installation asks for; a test process must too.
    ComputeNativeArchitecture();
#ifdef _WIN64
    ASSERT_TRUE(Windows64());   // the 64-bit program knows it runs on 64-bit Windows
#endif
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "interactive");
        ExistingDestination files;
        ASSERT_TRUE(SetFileAttributesA(files.destination.c_str(), FILE_ATTRIBUTE_READONLY));
        PendingRenames renames;
        StandardReplies user;
        user.silent = silent;
        FileInstallItem item = ItemFor(files.medium.path(), files.target.path(), "PEN.SYS");
        bool installed = InstallFileEntry(item, StandardReplies::Callback, &user);

        EXPECT_EQ("the driver the user has", ReadBytes(files.destination));
        EXPECT_NE(0u, GetFileAttributesA(files.destination.c_str()) & FILE_ATTRIBUTE_READONLY);
        if (Windows64()) {
            // Every complaint but a conflict goes to replacement at the next start, unasked.
            EXPECT_TRUE(installed);
            EXPECT_TRUE(user.asked.empty());
            EXPECT_TRUE(renames.Names(files.destination));
        }
        SetFileAttributesA(files.destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(FaultMatrix, ReadOnlyDestinationIsAWriteProtectionQuestion) {
    // What the service reports for it, and what the standard callback makes of that where
    // the question is asked (32-bit Windows): the write-protection message, or silently Ignore.
    ExistingDestination files;
    ASSERT_TRUE(SetFileAttributesA(files.destination.c_str(), FILE_ATTRIBUTE_READONLY));
    char tempName[MAX_PATH] = "";
    UINT tempLength = sizeof tempName;
    DWORD bits = OwnVersionInstall(0, "PEN.SYS", "PEN.SYS", files.medium.path().c_str(), files.target.path().c_str(),
                                   files.target.path().c_str(), tempName, &tempLength);
    EXPECT_NE(0u, bits & VIF_WRITEPROT_BIT);
    ASSERT_NE(0u, bits & VIF_TEMPFILE_BIT);
    EXPECT_TRUE(DeleteFileA((files.target / tempName).c_str()));
    EXPECT_EQ("the driver the user has", ReadBytes(files.destination));

    StandardReplies user;
    user.answer = ReplyAbort;
    EXPECT_EQ(ReplyAbort, StandardFileReply(EV_INSTALL_ERROR, bits & kErrorGroup, false, StandardReplies::Ask, &user));
    ASSERT_EQ(1u, user.asked.size());
    EXPECT_EQ(static_cast<unsigned>(IDS_ERR_WRITEPROT), user.asked[0].messageId);
    StrBuf text;
    EXPECT_GT(LoadResString(text, GetModuleHandleA(nullptr), user.asked[0].messageId), 0);
    EXPECT_EQ(ReplyIgnore, StandardFileReply(EV_INSTALL_ERROR, bits & kErrorGroup, true, StandardReplies::Ask, &user));
    EXPECT_EQ(1u, user.asked.size());
    SetFileAttributesA(files.destination.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FaultMatrix, DestinationHeldByAnotherProcessIsReplacedAtRestart) {
    ExistingDestination files;
    std::string marker = files.destination + ".held";
    std::string command = "\"" + TestBinDirectory() + "\\file_holder.exe\" \"" + files.destination + "\" 20000";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    KernelHandle holder(process.hProcess), thread(process.hThread);
    for (int i = 0; i < 200 && !FileThere(marker); ++i) Sleep(50);
    ASSERT_TRUE(FileThere(marker));

    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "interactive");
        PendingRenames renames;
        StandardReplies user;
        user.silent = silent;
        FileInstallItem item = ItemFor(files.medium.path(), files.target.path(), "PEN.SYS");
        EXPECT_TRUE(InstallFileEntry(item, StandardReplies::Callback, &user));
        EXPECT_TRUE(user.asked.empty());   // in use is never a question: it waits for the restart
        EXPECT_TRUE(renames.Names(files.destination));
        // The copy waiting for the restart is complete beside the destination.
        int waiting = 0;
        for (const std::string& name : FolderEntries(files.target.path()))
            waiting += name != "PEN.SYS" && name != "PEN.SYS.held" && ReadBytes(files.target / name) == "the new driver";
        EXPECT_EQ(silent ? 2 : 1, waiting);
    }
    TerminateProcess(holder.get(), 0);
    WaitForSingleObject(holder.get(), 10000);
    EXPECT_EQ("the driver the user has", ReadBytes(files.destination));
}

TEST(FaultMatrix, DestinationPathsAroundTheLimit) {
    ScratchDir medium("fault-limit-medium");
    ScratchDir target("fault-limit-target");
    for (size_t length : {259u, 260u, 261u}) {
        for (bool silent : {false, true}) {
            SCOPED_TRACE(testing::Message() << length << (silent ? " silent" : " interactive"));
            std::string folder = target / (std::to_string(length) + (silent ? "s" : "i"));
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
            std::string name(length - folder.size() - 1, 'n');
            ASSERT_TRUE(WriteBytes(medium / "source.dat", "payload"));
            FileInstallItem item = ItemFor(medium.path(), folder, name);
            item.sourceName = "source.dat";
            PendingRenames renames;
            StandardReplies user;
            user.silent = silent;
            user.answer = ReplyIgnore;
            EXPECT_TRUE(InstallFileEntry(item, StandardReplies::Callback, &user));
            if (length < MAX_PATH) {
                EXPECT_EQ("payload", ReadBytes(folder + "\\" + name));
                EXPECT_EQ(0, user.Count(EV_INSTALL_ERROR));
                EXPECT_EQ(folder, item.installedLocation.c_str());
                continue;
            }
            // Too long to be named: the "cannot create" question (Ignore skips the file), or
            // silently skipped; nothing is copied and nothing waits for a restart.
            EXPECT_EQ(1, user.Count(EV_INSTALL_ERROR));
            if (silent) {
                EXPECT_TRUE(user.asked.empty());
            } else {
                ASSERT_EQ(1u, user.asked.size());
                EXPECT_EQ(static_cast<unsigned>(IDS_ERR_CANNOTCREATE), user.asked[0].messageId);
            }
            EXPECT_TRUE(FolderEntries(folder).empty());
            EXPECT_FALSE(renames.Names(folder));
            EXPECT_TRUE(item.installedLocation.IsEmpty());
        }
    }
    // Abort in the question ends the list.
    std::string folder = target / "abort";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    FileInstallItem item = ItemFor(medium.path(), folder, std::string(300, 'n'));
    item.sourceName = "source.dat";
    StandardReplies user;
    user.answer = ReplyAbort;
    EXPECT_FALSE(InstallFileEntry(item, StandardReplies::Callback, &user));
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST(FaultMatrix, FolderTooDeepForATemporaryNameIsTheCannotCreateQuestion) {
    ScratchDir medium("fault-deep-medium");
    ScratchDir target("fault-deep-target");
    ASSERT_TRUE(WriteBytes(medium / "P.SY", "the new driver"));
    for (size_t length : {246u, 250u, 254u}) {
        for (bool silent : {false, true}) {
            SCOPED_TRACE(testing::Message() << length << (silent ? " silent" : " interactive"));
            std::string folder = target / std::string(length - target.path().size() - 1, silent ? 's' : 'i');
            ASSERT_EQ(length, folder.size());
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
            std::string destination = folder + "\\P.SY";
            ASSERT_TRUE(WriteBytes(destination, "the driver the user has"));
            FileInstallItem item = ItemFor(medium.path(), folder, "P.SY");
            PendingRenames renames;
            StandardReplies user;
            user.silent = silent;
            EXPECT_TRUE(InstallFileEntry(item, StandardReplies::Callback, &user));
            if (length == 246) {   // a temporary name still fits: installed as usual
                EXPECT_EQ("the new driver", ReadBytes(destination));
                EXPECT_TRUE(user.asked.empty());
                continue;
            }
            EXPECT_EQ(1, user.Count(EV_INSTALL_ERROR));
            if (silent) {
                EXPECT_TRUE(user.asked.empty());
            } else {
                ASSERT_EQ(1u, user.asked.size());
                EXPECT_EQ(static_cast<unsigned>(IDS_ERR_CANNOTCREATE), user.asked[0].messageId);
            }
            EXPECT_EQ("the driver the user has", ReadBytes(destination));
            EXPECT_EQ(std::vector<std::string>{"P.SY"}, FolderEntries(folder));
            EXPECT_FALSE(renames.Names(folder));
            EXPECT_TRUE(item.installedLocation.IsEmpty());
            if (length != 250 || silent) continue;
            user = StandardReplies();
            user.answer = ReplyAbort;
            EXPECT_FALSE(InstallFileEntry(item, StandardReplies::Callback, &user));
            EXPECT_EQ("the driver the user has", ReadBytes(destination));
        }
    }
}

namespace {
// A component whose file list holds lines of many kilobytes between ordinary ones.
struct LongLineKit {
    ScratchDir medium{"fault-longline"};
    ScratchDir target{"fault-longline-target"};
    Application app;
    explicit LongLineKit(const std::string& longLine) {
        WriteBytes(medium / "SetupExt.inf",
                   "[SrcDirs]\r\n1=.\r\n[DstDirs]\r\n1=.\r\n[SetupApps]\r\nPen=Pen,PenKeys,PenFiles\r\n"
                   "[PenKeys]\r\nDefInstall=Y\r\n"
                   "[PenFiles]\r\nFirst,1-1:FIRST.DAT,1:FIRST.DAT\r\n" + longLine + "\r\n"
                   "Last,1-1:LAST.DAT,1:LAST.DAT\r\n[End]\r\n");
        WriteBytes(medium / "FIRST.DAT", "first");
        WriteBytes(medium / "LAST.DAT", "last");
        app.SetSourceDir(medium.path().c_str());
        SetupScript* script = new SetupScript(&app);
        app.AppendChild(script);
        script->Load((medium / "SetupExt.inf").c_str());
        app.SetInstallDir(target.path().c_str());
        app.Resolve();
    }
    int FileCount() { return app.ComponentAt(0) ? app.ComponentAt(0)->EntryList(KindFile)->Count() : -1; }
};
}  // namespace

TEST(FaultMatrix, FileLinesOfManyKilobytes) {
    const std::string longDestination = "Long name,1-1:FIRST.DAT,1:" + std::string(12000, 'x') + ".DAT";
    const std::string longSource = "Long source,1-1:" + std::string(12000, 'y') + ".DAT,1:Y.DAT";
    struct Case {
        const char* what;
        const std::string* line;
        bool silent;
        int answer;
        bool walkSucceeds;
        bool lastInstalled;
        unsigned question;   // the event asked, or 0
    } cases[] = {
        // A destination no path can hold: the "cannot create" question; Ignore goes on.
        {"long destination, ignored", &longDestination, false, ReplyIgnore, true, true, EV_INSTALL_ERROR},
        {"long destination, aborted", &longDestination, false, ReplyAbort, false, false, EV_INSTALL_ERROR},
        {"long destination, silent", &longDestination, true, ReplyAbort, true, true, 0},
        // A source no medium can hold: the disk request; given up, the list stops.
        {"long source, cancelled", &longSource, false, ReplyCancel, false, false, EV_NEED_SOURCE},
        {"long source, silent", &longSource, true, ReplyOk, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LongLineKit kit(*c.line);
        ASSERT_EQ(3, kit.FileCount());   // the long line is read whole and the next still counts
        StandardReplies user;
        user.silent = c.silent;
        user.answer = c.answer;
        EXPECT_EQ(c.walkSucceeds, kit.app.InstallWalk(KindFile, StandardReplies::Callback, &user));
        EXPECT_EQ("first", ReadBytes(kit.target / "FIRST.DAT"));
        EXPECT_EQ(c.lastInstalled ? "last" : "", ReadBytes(kit.target / "LAST.DAT"));
        EXPECT_EQ(c.lastInstalled ? 2u : 1u, FolderEntries(kit.target.path()).size());
        if (c.question) {
            ASSERT_EQ(1u, user.asked.size());
            EXPECT_EQ(c.question, user.asked[0].event);
        } else {
            EXPECT_TRUE(user.asked.empty());
        }
        EXPECT_EQ("first", ReadBytes(kit.medium / "FIRST.DAT"));
    }
}
