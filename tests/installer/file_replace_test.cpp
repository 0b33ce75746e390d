// A new file put in the place of an existing one: in one step, or by renames where the
// system has no such call, and in either case the old file kept when the new one cannot go in.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/file_replace.h"
#include "installer/core/handles.h"
#include "tests/fakes/test_support.h"

namespace {
using Replace = bool (*)(const char*, const char*);
const struct { const char* name; Replace replace; } kWays[] = {
    {"in one step", ReplaceFileWith},
    {"by renames", ReplaceByRenames},
};

struct Files {
    ScratchDir dir{"replace"};
    std::string target = dir / "SYSTEM.INI";
    std::string fresh = dir / "TEMP0000.TMP";
    Files() {
        WriteBytes(target, "old");
        WriteBytes(fresh, "new");
    }
};
}  // namespace

TEST(FileReplace, NewFileTakesThePlaceOfTheOld) {
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.name);
        Files files;
        EXPECT_TRUE(way.replace(files.target.c_str(), files.fresh.c_str()));
        EXPECT_EQ("new", ReadBytes(files.target));
        EXPECT_EQ(std::vector<std::string>{"SYSTEM.INI"}, FolderEntries(files.dir.path()));
        // A missing target is simply the new file's new name.
        ASSERT_TRUE(WriteBytes(files.fresh, "newer"));
        ASSERT_TRUE(DeleteFileA(files.target.c_str()));
        EXPECT_TRUE(way.replace(files.target.c_str(), files.fresh.c_str()));
        EXPECT_EQ("newer", ReadBytes(files.target));
        // No new file: nothing changes.
        EXPECT_FALSE(way.replace(files.target.c_str(), (files.dir / "missing.tmp").c_str()));
        EXPECT_EQ("newer", ReadBytes(files.target));
    }
}

// Held open without leave to delete it, the new file cannot move in and the target cannot be
// set aside: either way the old file stays in place, the new one where it was, and no copy set
// aside is left.
TEST(FileReplace, AFileHeldOpenLeavesBothAsTheyWere) {
    for (const auto& way : kWays) {
        for (bool holdTarget : {false, true}) {
            SCOPED_TRACE(std::string(way.name) + (holdTarget ? ", target held" : ", new file held"));
            Files files;
            {
                const std::string& heldPath = holdTarget ? files.target : files.fresh;
                FileHandle held(CreateFileA(heldPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            0, nullptr));
                ASSERT_TRUE(held.valid());
                EXPECT_FALSE(way.replace(files.target.c_str(), files.fresh.c_str()));
            }
            EXPECT_EQ("old", ReadBytes(files.target));
            EXPECT_EQ("new", ReadBytes(files.fresh));
            EXPECT_EQ(2u, FolderEntries(files.dir.path()).size());
        }
    }
}
