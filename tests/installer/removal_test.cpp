// Removing single installed files: what is deleted, what never is, and what the callback hears.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/record/file_removal.h"
#include "tests/fakes/test_support.h"

namespace {

struct Heard {
    std::vector<unsigned> events;
    int cancelAt = -1;   // the event index whose reply is non-zero
};

int Listen(unsigned event, uintptr_t, uintptr_t, void* context) {
    Heard* heard = static_cast<Heard*>(context);
    heard->events.push_back(event);
    return static_cast<int>(heard->events.size()) - 1 == heard->cancelAt ? 1 : 0;
}

class FileRemovalTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramInstance(GetModuleHandleA(nullptr)); }
    RemovalItem Item(const std::string& name, bool remove = true) {
        WriteBytes(dir_ / name, "installed");
        RemovalItem item;
        item.displayName = name.c_str();
        item.destName = name.c_str();
        item.destDir = dir_.path().c_str();
        item.removeOnUninstall = remove;
        item.resolved = true;
        return item;
    }
    ScratchDir dir_{"fileremoval"};
};

TEST_F(FileRemovalTest, DeletesTheFileBetweenItsTwoEvents) {
    Heard heard;
    EXPECT_TRUE(RemoveFileEntry(Item("driver.sys"), Listen, &heard));
    EXPECT_FALSE(FileThere(dir_ / "driver.sys"));
    EXPECT_EQ(heard.events, (std::vector<unsigned>{EV_REMOVE_BEGIN, EV_REMOVE_END}));
}

TEST_F(FileRemovalTest, NeverDeletesTheInstallerOrItsScript) {
    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, sizeof own);
    std::string ownName = strrchr(own, '\\') + 1;
    for (const std::string& name : {ownName, std::string("SETUPEXT.INF"), std::string("setupext.inf")}) {
        Heard heard;
        EXPECT_TRUE(RemoveFileEntry(Item(name), Listen, &heard)) << name;
        EXPECT_TRUE(FileThere(dir_ / name)) << name;
        EXPECT_EQ(2u, heard.events.size());
        DeleteFileA((dir_ / name).c_str());
    }
}

TEST_F(FileRemovalTest, KeptFilesStillRaiseTheirEvents) {
    Heard heard;
    EXPECT_TRUE(RemoveFileEntry(Item("prefs.ini", false), Listen, &heard));
    EXPECT_TRUE(FileThere(dir_ / "prefs.ini"));
    EXPECT_EQ(heard.events, (std::vector<unsigned>{EV_REMOVE_BEGIN, EV_REMOVE_END}));
}

TEST_F(FileRemovalTest, FailsForUnresolvedFoldersHeldFilesAndCancelling) {
    RemovalItem unresolved = Item("a.dll");
    unresolved.resolved = false;
    EXPECT_FALSE(RemoveFileEntry(unresolved, nullptr, nullptr));
    EXPECT_TRUE(FileThere(dir_ / "a.dll"));

    // Open without delete sharing, by this program (whose name is not in the file's).
    RemovalItem held = Item("b.dll");
    FileHandle open(CreateFileA((dir_ / "b.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    ASSERT_TRUE(open);
    EXPECT_FALSE(RemoveFileEntry(held, nullptr, nullptr));
    EXPECT_TRUE(FileThere(dir_ / "b.dll"));
    open.reset();
    EXPECT_TRUE(RemoveFileEntry(held, nullptr, nullptr));
    EXPECT_FALSE(FileThere(dir_ / "b.dll"));

    // A cancel at the beginning skips the file; the one at the end fails the entry.
    Heard cancelBegin;
    cancelBegin.cancelAt = 0;
    EXPECT_TRUE(RemoveFileEntry(Item("c.dll"), Listen, &cancelBegin));
    EXPECT_TRUE(FileThere(dir_ / "c.dll"));
    Heard cancelEnd;
    cancelEnd.cancelAt = 1;
    EXPECT_FALSE(RemoveFileEntry(Item("d.dll"), Listen, &cancelEnd));
    EXPECT_FALSE(FileThere(dir_ / "d.dll"));
}

}  // namespace
