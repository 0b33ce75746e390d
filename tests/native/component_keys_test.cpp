#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/device/helper_steps.h"
#include "installer/script/component_keys.h"

namespace {
ComponentKeys Read(std::vector<const char*> lines) {
    ComponentKeys keys;
    for (const char* l : lines) ReadComponentKeyLine(keys, l);
    return keys;
}
std::vector<std::string> Written(const ComponentKeys& keys) {
    std::vector<std::string> out;
    for (const StrBuf& l : WriteComponentKeyLines(keys)) out.push_back(l.c_str());
    return out;
}
}  // namespace

TEST(ComponentKeys, SingleValuedKeysTakeTheLastLine) {
    ComponentKeys k = Read({"defInstall=N", "ConInsll=no", "SpaceNeeded=1200", "DeviceType=2", "SpaceNeeded=1500",
                            "RestartWindows=Y", "RebootSystem=N", "URestartWindows=y", "Unknown=Y",
                            "DeleteOemClass=Y,\"Mouse\""});
    EXPECT_FALSE(k.enabled);
    EXPECT_FALSE(k.changeable);
    EXPECT_EQ(1500, k.spaceNeededK);
    EXPECT_EQ(2, k.deviceType);
    EXPECT_FALSE(k.restartAfterInstall);   // RebootSystem=N after RestartWindows=Y
    EXPECT_TRUE(k.restartAfterRemoval);
    EXPECT_TRUE(k.deleteOemClass);
    EXPECT_EQ(std::string("Mouse"), k.oemClass.c_str());
}

TEST(ComponentKeys, ProgramTablesFillTheirFirstFreeSlotUpToEight) {
    std::vector<std::string> storage;
    std::vector<const char*> lines;
    for (int i = 1; i <= 9; ++i) storage.push_back("IExeAfter=P" + std::to_string(i) + ".EXE,Y,N");
    for (const std::string& s : storage) lines.push_back(s.c_str());
    lines.push_back("UExeBefore=\"UN INST.EXE\",n,y");
    lines.push_back("LibraryReg=PEN.DLL,Y");
    ComponentKeys k = Read(lines);
    ASSERT_EQ(static_cast<size_t>(kProgramSlots), k.Programs(IExeAfter).size());
    for (int i = 0; i < kProgramSlots; ++i)
        EXPECT_EQ("P" + std::to_string(i + 1) + ".EXE", k.Programs(IExeAfter)[i].program.c_str());
    EXPECT_TRUE(k.Programs(IExeAfter)[7].wait);
    EXPECT_FALSE(k.Programs(IExeAfter)[7].silent);
    ASSERT_EQ(1u, k.Programs(UExeBefore).size());
    EXPECT_EQ(std::string("UN INST.EXE"), k.Programs(UExeBefore)[0].program.c_str());
    EXPECT_FALSE(k.Programs(UExeBefore)[0].wait);
    EXPECT_TRUE(k.Programs(UExeBefore)[0].silent);
    EXPECT_TRUE(k.Programs(IExeBefore).empty());
    ASSERT_EQ(1u, k.Libraries().size());
    EXPECT_EQ(std::string("PEN.DLL"), k.Libraries()[0].library.c_str());
    EXPECT_TRUE(k.Libraries()[0].silent);
}

TEST(ComponentKeys, ALineWithoutANameTakesNoSlotAndCopiesAreDeep) {
    std::vector<std::string> storage = {"UExeAfter=,Y,Y", "LibraryReg=,Y"};
    for (int i = 1; i <= 8; ++i) storage.push_back("UExeAfter=U" + std::to_string(i) + ".EXE,N,N");
    for (int i = 1; i <= 9; ++i) storage.push_back("LibraryReg=L" + std::to_string(i) + ".DLL,N");
    std::vector<const char*> lines;
    for (const std::string& s : storage) lines.push_back(s.c_str());
    ComponentKeys k = Read(lines);
    ASSERT_EQ(8u, k.Programs(UExeAfter).size());
    EXPECT_EQ(std::string("U1.EXE"), k.Programs(UExeAfter)[0].program.c_str());
    EXPECT_FALSE(k.Programs(UExeAfter)[0].wait);   // the nameless line's flags are not kept
    EXPECT_EQ(std::string("U8.EXE"), k.Programs(UExeAfter)[7].program.c_str());
    ASSERT_EQ(8u, k.Libraries().size());
    EXPECT_EQ(std::string("L8.DLL"), k.Libraries()[7].library.c_str());
    EXPECT_FALSE(k.AddProgram(UExeAfter, {"MORE.EXE", false, false}));
    EXPECT_FALSE(k.AddProgram(4, {"NOWHERE.EXE", false, false}));
    EXPECT_TRUE(k.Programs(-1).empty());

    ComponentKeys copy = k;
    ComponentKeys assigned;
    assigned = copy;
    ReadComponentKeyLine(copy, "IExeBefore=FIRST.EXE,Y,N");
    EXPECT_TRUE(k.Programs(IExeBefore).empty());
    EXPECT_TRUE(assigned.Programs(IExeBefore).empty());
    ASSERT_EQ(1u, copy.Programs(IExeBefore).size());
    EXPECT_EQ(Written(k), Written(assigned));
}

TEST(ComponentKeys, HelperStepsComeFromTheTablesInTheirLineOrder) {
    ComponentKeys k = Read({"IExeAfter=B.EXE,Y,N", "LibraryReg=PEN.DLL,Y", "IExeAfter=A.EXE,N,Y", "UExeAfter=Z.EXE,Y,Y"});
    std::vector<std::string> names;
    for (const HelperStep& s : ComponentHelperSteps(k, false, AfterItems))
        names.push_back(std::string(s.name.c_str()) + (s.kind == StartsProgram ? " run" : " reg") + (s.wait ? " wait" : ""));
    EXPECT_EQ((std::vector<std::string>{"PEN.DLL reg wait", "B.EXE run wait", "A.EXE run"}), names);
    EXPECT_TRUE(ComponentHelperSteps(k, false, BeforeItems).empty());
    ASSERT_EQ(1u, ComponentHelperSteps(k, true, AfterItems).size());
    EXPECT_TRUE(ComponentHelperSteps(ComponentKeys(), true, BeforeItems).empty());
}

TEST(ComponentKeys, RecordCopyKeepsOnlyWhatTheUninstallerUses) {
    ComponentKeys k = Read({"RestartWindows=Y", "URestartWindows=N", "DeleteOemClass=Y,Mouse", "LibraryReg=PEN.DLL,Y",
                            "IExeBefore=SETUP.EXE,Y,Y", "UExeAfter=CLEAN.EXE,Y,N", "UExeBefore=STOP.EXE,N,Y",
                            "SpaceNeeded=10", "DefInstall=N"});
    EXPECT_EQ((std::vector<std::string>{"URestartWindows=N", "DeleteOemClass=Y,\"Mouse\"", "LibraryReg=\"PEN.DLL\",Y",
                                        "UExeBefore=\"STOP.EXE\",N,Y", "UExeAfter=\"CLEAN.EXE\",Y,N"}),
              Written(k));
    // Read back, the written lines give the same removal behaviour.
    std::vector<StrBuf> lines = WriteComponentKeyLines(k);
    ComponentKeys back;
    for (const StrBuf& l : lines) ReadComponentKeyLine(back, l);
    EXPECT_EQ(std::string("Mouse"), back.oemClass.c_str());
    ASSERT_EQ(1u, back.Programs(UExeAfter).size());
    EXPECT_EQ(std::string("CLEAN.EXE"), back.Programs(UExeAfter)[0].program.c_str());
    EXPECT_TRUE(back.Programs(IExeBefore).empty());
}

TEST(ComponentKeys, RemovalRestartWishSurvivesWithoutAnInstallRestart) {
    ComponentKeys k = Read({"URestartWindows=Y"});
    EXPECT_EQ((std::vector<std::string>{"URestartWindows=Y"}), Written(k));
    EXPECT_TRUE(Written(ComponentKeys()).empty());
}

TEST(DeviceRules, DetectedFamilyIsChosenTheOtherLocked) {
    struct { bool noDetection; int detected, forced, component; bool changeable, enabled; } rows[] = {
        {false, 2, 0, 2, true, true},  {false, 2, 0, 1, false, false}, {false, 1, 0, 1, true, true},
        {false, 0, 0, 1, true, false}, {false, 0, 0, 2, true, false},  {true, 2, 0, 2, false, true},
        {true, 2, 0, 1, false, false}, {false, 2, 1, 2, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.noDetection << r.detected << r.forced << r.component);
        DeviceChoice c = SelectByDeviceFor(r.noDetection, r.detected, r.forced, r.component);
        EXPECT_EQ(r.changeable, c.changeable);
        EXPECT_EQ(r.enabled, c.enabled);
    }
}

TEST(DeviceRules, ConflictIsAnEnabledComponentOfTheOtherFamily) {
    std::vector<DeviceComponentState> c = {{true, 0}, {true, 2}, {false, 1}, {true, 1}, {true, 1}};
    EXPECT_EQ(3, FindDeviceConflictIn(c, 1));
    EXPECT_EQ(1, FindDeviceConflictIn(c, 3));
    EXPECT_EQ(-1, FindDeviceConflictIn(c, 0));   // not a device component
    EXPECT_EQ(-1, FindDeviceConflictIn(c, 2));   // not enabled
    EXPECT_EQ(-1, FindDeviceConflictIn(c, 9));
    c[1].enabled = false;
    EXPECT_EQ(-1, FindDeviceConflictIn(c, 3));
}
