// Free space, directory trees and the plain file operations, on Wine's real drive.
#include <gtest/gtest.h>
#include <windows.h>
#include <lzexpand.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"
#include "installer/files/lz_compressor.h"
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

    // A destination someone holds open for writing (letting others read and delete it) cannot
    // be replaced: the failed copy must leave it as it was, and so must a missing source.
    ASSERT_TRUE(WriteBytes(scratch / "held.txt", "the holder's"));
    {
        FileHandle holder(CreateFileA((scratch / "held.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(ExpandCopy((scratch / "plain.txt").c_str(), (scratch / "held.txt").c_str()));
        EXPECT_FALSE(ExpandCopy((scratch / "missing").c_str(), (scratch / "held.txt").c_str()));
    }
    EXPECT_EQ("the holder's", ReadBytes(scratch / "held.txt"));
    EXPECT_FALSE(ExpandCopy((scratch / "missing").c_str(), (scratch / "held.txt").c_str()));
    EXPECT_EQ("the holder's", ReadBytes(scratch / "held.txt"));

    // The copy to a new file never touches one already there, held or not, and makes the rest.
    EXPECT_FALSE(ExpandCopyToNewFile((scratch / "plain.txt").c_str(), (scratch / "held.txt").c_str()));
    EXPECT_EQ("the holder's", ReadBytes(scratch / "held.txt"));
    {
        FileHandle holder(CreateFileA((scratch / "held.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(ExpandCopyToNewFile((scratch / "plain.txt").c_str(), (scratch / "held.txt").c_str()));
    }
    EXPECT_EQ("the holder's", ReadBytes(scratch / "held.txt"));
    EXPECT_FALSE(ExpandCopyToNewFile((scratch / "plain.txt").c_str(), scratch.path().c_str()));
    EXPECT_TRUE(ExpandCopyToNewFile((scratch / "plain.txt").c_str(), (scratch / "new.txt").c_str()));
    EXPECT_EQ(ReadBytes(scratch / "plain.txt"), ReadBytes(scratch / "new.txt"));
    EXPECT_FALSE(ExpandCopyToNewFile((scratch / "empty.txt").c_str(), (scratch / "new-empty.txt").c_str()));
    EXPECT_FALSE(FileThere(scratch / "new-empty.txt"));

    ASSERT_TRUE(SetFileAttributesA((scratch / "copy.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(ForceDelete((scratch / "copy.txt").c_str()));
    EXPECT_FALSE(FileThere(scratch / "copy.txt"));
    EXPECT_FALSE(ForceDelete((scratch / "copy.txt").c_str()));
}

namespace {
FILETIME LastWritten(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }

// The LZ library's own copy of a file, as the installer made every copy before.
bool LibraryCopy(const std::string& from, const std::string& to) {
    OFSTRUCT in{}, out{};
    INT source = LZOpenFileA(const_cast<char*>(from.c_str()), &in, OF_READ);
    INT destination = LZOpenFileA(const_cast<char*>(to.c_str()), &out, OF_CREATE);
    LONG copied = source >= 0 && destination >= 0 ? LZCopy(source, destination) : -1;
    if (source >= 0) LZClose(source);
    if (destination >= 0) LZClose(destination);
    return copied >= 0;
}
}  // namespace

// Uncompressed files no longer go through the LZ library, compressed ones still do: either way
// the copy must be what the library makes: the same bytes (expanded), the source's last-write
// time, normal attributes even from a read-only medium.
TEST(FileOperations, CopiesAreWhatTheLzLibraryMakes) {
    ScratchDir scratch("copies");
    const FILETIME old = {0x5A0B0000, 0x01D0B000};   // a day in 2015
    struct Source { std::string name, bytes; };
    std::vector<Source> sources = {
        {"short.txt", "SZDD\x88\xF0\x27\x33"},            // the signature, but no whole header
        {"text.ini", "[Section]\r\nKey=Value\r\n"},
        {"block.bin", std::string(256 * 1024, 'b')},          // exactly one copy block
        {"blocks.bin", std::string(600 * 1024 + 7, 'c')},
    };
    for (size_t i = 0; i < sources[3].bytes.size(); i += 4099) sources[3].bytes[i] = static_cast<char>(i);
    for (const Source& source : sources) ASSERT_TRUE(WriteBytes(scratch / source.name, source.bytes));
    ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\versioned_v1.ex_").c_str(), (scratch / "tool.ex_").c_str(), FALSE));
    sources.push_back({"tool.ex_", ""});

    for (const Source& source : sources) {
        std::string from = scratch / source.name;
        FileHandle touch(CreateFileA(from.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(touch && SetFileTime(touch.get(), nullptr, nullptr, &old)) << source.name;
        touch.reset();
        SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_READONLY);

        std::string ours = scratch / ("ours-" + source.name), library = scratch / ("library-" + source.name);
        EXPECT_TRUE(ExpandCopy(from.c_str(), ours.c_str())) << source.name;
        ASSERT_TRUE(LibraryCopy(from, library)) << source.name;
        EXPECT_EQ(ReadBytes(library), ReadBytes(ours)) << source.name;
        if (!source.bytes.empty()) EXPECT_EQ(source.bytes, ReadBytes(ours)) << source.name;
        EXPECT_TRUE(SameTime(old, LastWritten(library))) << source.name << ": the library keeps the time";
        EXPECT_TRUE(SameTime(old, LastWritten(ours))) << source.name;
        EXPECT_EQ(0u, GetFileAttributesA(ours.c_str()) & FILE_ATTRIBUTE_READONLY) << source.name;
        SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(ReadBytes(TestBinDirectory() + "\\versioned_v1.exe"), ReadBytes(scratch / "ours-tool.ex_"));
}

// Our expander against the library's on compressed files of every edge length, made by our
// compressor and by mscompress (the build's fixture); a compressed file cut short fails and
// leaves no destination, where the library would hand back what it could read.
TEST(FileOperations, CompressedFilesExpandAsTheLzLibraryExpandsThem) {
    ScratchDir scratch("lzcorpus");
    std::vector<std::string> names;
    const size_t lengths[] = {0, 1, 4095, 4096, 4097, 256 * 1024, 700001};
    for (size_t length : lengths) {
        std::string bytes(length, '\0');
        for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(i % 7 == 0 ? i * 31 : "kit text "[i % 9]);
        std::vector<unsigned char> packed =
            LzCompress(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 'T');
        std::string name = "file" + std::to_string(length) + ".tx_";
        ASSERT_TRUE(WriteBytes(scratch / name, std::string(packed.begin(), packed.end())));
        names.push_back(name);
    }
    ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\fixtures\\lz_script_sample.inf_").c_str(),
                          (scratch / "script.in_").c_str(), FALSE));
    names.push_back("script.in_");
    for (const std::string& name : names) {
        std::string ours = scratch / ("ours-" + name), library = scratch / ("library-" + name);
        LONG copied = LzCopyFile((scratch / name).c_str(), ours.c_str());
        ASSERT_TRUE(LibraryCopy(scratch / name, library)) << name;
        EXPECT_GE(copied, 0) << name;
        EXPECT_EQ(ReadBytes(library), ReadBytes(ours)) << name;
        EXPECT_EQ(static_cast<LONG>(ReadBytes(library).size()), copied) << name;
    }
    std::string whole = ReadBytes(scratch / "file4097.tx_");
    ASSERT_TRUE(WriteBytes(scratch / "cut.tx_", whole.substr(0, whole.size() - 3)));
    EXPECT_LT(LzCopyFile((scratch / "cut.tx_").c_str(), (scratch / "ours-cut.txt").c_str()), 0);
    EXPECT_FALSE(FileThere(scratch / "ours-cut.txt"));
}
