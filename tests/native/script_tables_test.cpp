// The pointer array's growth, the script's table lines and directory resolution.
#include <gtest/gtest.h>
#include <climits>
#include <string>
#include "installer/script/ptr_array.h"
#include "installer/script/script_tables.h"

TEST(PtrArray, GrowsByItsStepOrByAnEighthClampedToFourAndThousandTwentyFour) {
    struct Row { int capacity, count, requested, growBy, expected; };
    const Row rows[] = {
        {0, 0, 1, 0, 4},              // an eighth of nothing is clamped up to 4
        {16, 16, 17, 0, 20},          // 16/8 = 2, clamped to 4
        {64, 64, 65, 0, 72},          // 64/8 = 8
        {20000, 20000, 20001, 0, 21024},  // 2500 clamped to 1024
        {10, 10, 11, 3, 13},          // a fixed step wins
        {4, 4, 100, 0, 100},          // never below the requested count
        {4, 4, 100, 3, 100},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, PtrArray::GrownCapacity(r.capacity, r.count, r.requested, r.growBy))
            << r.capacity << " " << r.requested << " step " << r.growBy;
    EXPECT_EQ(INT_MAX, PtrArray::GrownCapacity(INT_MAX - 1, INT_MAX - 1, INT_MAX, 1000));
}

TEST(PtrArray, NewSlotsAreZeroAndCountZeroFreesTheStorage) {
    PtrArray array(0);
    int a = 1, b = 2;
    ASSERT_TRUE(array.Append(&a));
    ASSERT_TRUE(array.SetCount(5));
    EXPECT_EQ(&a, array.At(0));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(nullptr, array.At(i));
    ASSERT_TRUE(array.Append(&b));
    EXPECT_EQ(6, array.Count());
    EXPECT_EQ(&b, array.At(5));
    EXPECT_EQ(nullptr, array.At(6));
    EXPECT_EQ(nullptr, array.At(-1));
    EXPECT_FALSE(array.SetCount(-1));
    EXPECT_EQ(6, array.Count());
    EXPECT_EQ(&a, array.Remove(0));
    EXPECT_EQ(nullptr, array.At(0));   // the zero-filled slot moved up
    EXPECT_EQ(5, array.Count());
    ASSERT_TRUE(array.SetCount(0));
    EXPECT_EQ(0, array.Capacity());
}

TEST(OwnedList, DeletesItsItemsLastFirst) {
    static std::string order;
    struct Item {
        char name;
        ~Item() { order += name; }
    };
    order.clear();
    {
        OwnedList<Item> list;
        for (char c : std::string("abc")) list.Append(new Item{c});
        list.Delete(1);
        EXPECT_EQ("b", order);
    }
    EXPECT_EQ("bca", order);
}

TEST(ScriptTables, TableLinesTakeTheIdAndTheFirstFieldOfTheValue) {
    DiskEntry disk = ReadDiskLine(" 2 = \"Disk, one\" , ignored");
    EXPECT_EQ(2, disk.id);
    EXPECT_STREQ("Disk, one", disk.label);
    DirEntry dir = ReadDirLine("-3=##\\drivers,x");
    EXPECT_EQ(-3, dir.id);
    EXPECT_STREQ("##\\drivers", dir.specification);
    EXPECT_STREQ("##\\drivers", dir.path);   // unresolved until Resolve
    DirEntry bare = ReadDirLine("junk");
    EXPECT_EQ(0, bare.id);
    EXPECT_STREQ("", bare.specification);
    EXPECT_STREQ("7=Tablet", DirLine(ReadDirLine("7=Tablet,more")));
    EXPECT_STREQ("1=Disk 1", DiskLine(ReadDiskLine("1=Disk 1")));
}

TEST(ScriptTables, EveryDirectorySpecificationRow) {
    DirectoryFacts facts;
    facts.bootRoot = "C:\\";
    facts.systemDirectory = "C:\\windows\\system32";
    facts.windowsDirectory = "C:\\windows";
    facts.expandMacro = [](StrBuf& path) {
        if (path.Find("%Known%") != 0) return false;
        path = StrBuf("D:\\Known") + path.Mid(7);
        return true;
    };
    struct Row { const char* spec; const char* base; const char* alt; const char* expected; };
    const Row rows[] = {
        {"###Boot", "E:\\Inst", "F:\\Src", "C:\\Boot"},
        {"##\\drivers", "E:\\Inst", "F:\\Src", "C:\\windows\\system32\\drivers"},
        {"##x", "E:\\Inst", "", "C:\\windows\\system32x"},
        {"#@\\sub", "E:\\Inst", "F:\\Src", "F:\\Src\\sub"},
        {"#@\\sub", "E:\\Inst", "", "\\sub"},
        {"#\\fonts", "E:\\Inst", "F:\\Src", "C:\\windows\\fonts"},
        {"%Known%\\x", "E:\\Inst", "F:\\Src", "D:\\Known\\x"},
        {"%Unknown%\\x", "E:\\Inst", "F:\\Src", "E:\\Inst"},
        {".", "E:\\Inst", "F:\\Src", "E:\\Inst"},
        {".x", "E:\\Inst", "F:\\Src", ".x"},
        {"..\\up", "E:\\Inst", "F:\\Src", "..\\up"},
        {"0", "E:\\Inst", "F:\\Src", ""},
        {"0ther", "E:\\Inst", "F:\\Src", ""},
        {"\\", "E:\\Program Files\\Inst", "", "E:\\"},
        {"\\ignored", "E:\\Program Files", "", "E:\\"},
        {"Tablet", "C:\\Program Files", "", "C:\\Program Files\\Tablet"},
        {"Tablet", "C:\\", "", "C:\\Tablet"},
        {"Tablet", "", "", "\\Tablet"},
    };
    for (const Row& r : rows)
        EXPECT_STREQ(r.expected, ResolveDirSpec(r.spec, r.base, r.alt, facts)) << r.spec << " on " << r.base;
}
