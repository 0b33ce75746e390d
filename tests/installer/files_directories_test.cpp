// Free space, directory trees and the plain file operations, on Wine's real drive.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/system_paths.h"
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"
#include "tests/fakes/test_support.h"

TEST(FreeSpace, ExactlyTheNeededSpaceIsRefused) {
    // Other programs write to the same drive: retry until the free space held still.
    for (int attempt = 0; attempt < 20; ++attempt) {
        uint64_t freeK = FreeDiskBytes("C:\\") >> 10;
        ASSERT_GT(freeK, 1u);
        uint64_t reported = 0;
        bool equal = HasEnoughSpace("C:\\Program Files\\Tablet", freeK, &reported);
        bool less = HasEnoughSpace("C:\\Program Files\\Tablet", freeK - 1);
        if ((FreeDiskBytes("C:\\") >> 10) != freeK) continue;
        EXPECT_FALSE(equal);
        EXPECT_TRUE(less);
        EXPECT_EQ(freeK & 0xFFFFFFFFu, reported);
        return;
    }
    GTEST_SKIP() << "free space kept changing";
}

TEST(DirectoryTrees, CreatingMakesEveryLevelAndAcceptsWhatExists) {
    ScratchDir scratch("mkdir");
    std::string deep = scratch / "one\\two\\three";
    std::string cwd = CurrentDirectory().c_str();
    EXPECT_FALSE(DirectoryExists(deep.c_str()));
    EXPECT_TRUE(CreateDirectoryTree(deep.c_str()));
    EXPECT_TRUE(DirectoryExists(deep.c_str()));
    EXPECT_EQ(cwd, CurrentDirectory().c_str());   // the test leaves the current directory alone
    EXPECT_TRUE(CreateDirectoryTree(deep.c_str()));
    EXPECT_TRUE(CreateDirectoryTree((scratch / "trailing\\slash\\").c_str()));
    EXPECT_TRUE(DirectoryExists((scratch / "trailing\\slash").c_str()));
    EXPECT_FALSE(CreateDirectoryTree(""));
    EXPECT_FALSE(CreateDirectoryTree(nullptr));
}

TEST(DirectoryTrees, AFileInTheWayFailsWithoutCreatingAnythingBelowIt) {
    ScratchDir scratch("blocked");
    ASSERT_TRUE(WriteBytes(scratch / "one", "a file"));
    EXPECT_FALSE(CreateDirectoryTree((scratch / "one\\two\\three").c_str()));
    EXPECT_EQ("a file", ReadBytes(scratch / "one"));
    EXPECT_FALSE(FileThere(scratch / "one\\two"));
    // A path that names an existing file is not a directory.
    EXPECT_FALSE(CreateDirectoryTree((scratch / "one").c_str()));
}

TEST(DirectoryTrees, PruningKeepsFilesTheirFoldersAndDotFolders) {
    ScratchDir scratch("prune");
    std::string top = scratch / "app";
    ASSERT_TRUE(CreateDirectoryTree((top + "\\empty\\deeper").c_str()));
    ASSERT_TRUE(CreateDirectoryTree((top + "\\data").c_str()));
    ASSERT_TRUE(CreateDirectoryTree((top + "\\cache\\.keep").c_str()));
    ASSERT_TRUE(WriteBytes(top + "\\data\\settings.dat", "user data"));

    EXPECT_FALSE(DeleteDirectoryTree(top.c_str(), false));
    EXPECT_FALSE(FileThere(top + "\\empty"));
    EXPECT_EQ("user data", ReadBytes(top + "\\data\\settings.dat"));
    EXPECT_TRUE(FileThere(top + "\\cache\\.keep"));

    ASSERT_TRUE(SetFileAttributesA((top + "\\data\\settings.dat").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteDirectoryTree(top.c_str(), true));   // ".keep" still holds its parent
    EXPECT_FALSE(FileThere(top + "\\data"));
    RemoveDirectoryA((top + "\\cache\\.keep").c_str());
    EXPECT_TRUE(DeleteDirectoryTree(top.c_str(), false));
    EXPECT_FALSE(FileThere(top));
    EXPECT_TRUE(DeleteDirectoryTree((scratch / "never there").c_str(), false));
}

TEST(DirectoryTrees, DriveRootWindowsAndSystemFoldersAreNeverPruned) {
    std::string windows = WindowsDirectory().c_str();
    std::string system = SystemDirectory().c_str();
    const std::string probes[] = {"C:\\instally-empty-probe", windows + "\\instally-empty-probe",
                                  system + "\\instally-empty-probe"};
    for (const std::string& probe : probes) ASSERT_TRUE(CreateDirectoryA(probe.c_str(), nullptr)) << probe;
    EXPECT_FALSE(DeleteDirectoryTree("C:\\", false));
    EXPECT_FALSE(DeleteDirectoryTree((windows + "\\").c_str(), false));
    EXPECT_FALSE(DeleteDirectoryTree(system.c_str(), false));
    for (const std::string& probe : probes) {
        EXPECT_TRUE(FileThere(probe)) << probe;
        RemoveDirectoryA(probe.c_str());
    }
}

TEST(FileOperations, PresenceDeletionAndCopy) {
    ScratchDir scratch("fileops");
    EXPECT_FALSE(FileExists(scratch.path().c_str()));   // a directory is not a file
    EXPECT_FALSE(FileExists((scratch / "missing").c_str()));
    ASSERT_TRUE(WriteBytes(scratch / "plain.txt", std::string("line one\r\nline two\0three", 24)));
    EXPECT_TRUE(FileExists((scratch / "plain.txt").c_str()));

    EXPECT_TRUE(ExpandCopy((scratch / "plain.txt").c_str(), (scratch / "copy.txt").c_str()));
    EXPECT_EQ(ReadBytes(scratch / "plain.txt"), ReadBytes(scratch / "copy.txt"));
    ASSERT_TRUE(WriteBytes(scratch / "empty.txt", ""));
    EXPECT_FALSE(ExpandCopy((scratch / "empty.txt").c_str(), (scratch / "from-empty.txt").c_str()));
    EXPECT_FALSE(ExpandCopy((scratch / "missing").c_str(), (scratch / "from-missing.txt").c_str()));

    ASSERT_TRUE(SetFileAttributesA((scratch / "copy.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(ForceDelete((scratch / "copy.txt").c_str()));
    EXPECT_FALSE(FileThere(scratch / "copy.txt"));
    EXPECT_FALSE(ForceDelete((scratch / "copy.txt").c_str()));
}
