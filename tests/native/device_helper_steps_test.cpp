#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/device/helper_steps.h"

namespace {
std::string Describe(const HelperStep& s) {
    const char* kind = s.kind == StartsProgram ? "run" : s.kind == RegistersLibrary ? "reg" : "unreg";
    return std::string(kind) + " " + s.name.c_str() + (s.wait ? " wait" : "") + (s.silent ? " silent" : "") +
           (s.fromInstalledLocation ? " installed" : "");
}

std::vector<std::string> Plan(const HelperLists& lists, bool removal, HelperPhase phase) {
    std::vector<std::string> described;
    for (const HelperStep& s : PlanHelperSteps(lists, removal, phase)) described.push_back(Describe(s));
    return described;
}

const ProgramSlot iBefore[] = {{"prep.exe", true, false}};
const ProgramSlot iAfter[] = {{"drvsetup.exe", true, true}, {"notes.exe", false, false}};
const ProgramSlot uBefore[] = {{"drvclean.exe", false, true}};
const ProgramSlot uAfter[] = {{"final.exe", true, false}};
const LibrarySlot libs[] = {{"pentab.dll", true}, {"penui.dll", false}};

HelperLists AllLists() {
    HelperLists l;
    l.installBefore = iBefore; l.installBeforeCount = 1;
    l.installAfter = iAfter;   l.installAfterCount = 2;
    l.removeBefore = uBefore;  l.removeBeforeCount = 1;
    l.removeAfter = uAfter;    l.removeAfterCount = 1;
    l.libraries = libs;        l.libraryCount = 2;
    return l;
}
}  // namespace

TEST(HelperSteps, EachPointOfTheRunHasItsListsInOrder) {
    HelperLists l = AllLists();
    EXPECT_EQ((std::vector<std::string>{"run prep.exe wait"}), Plan(l, false, BeforeItems));
    EXPECT_EQ((std::vector<std::string>{"reg pentab.dll wait silent", "reg penui.dll wait",
                                        "run drvsetup.exe wait silent installed", "run notes.exe installed"}),
              Plan(l, false, AfterItems));
    EXPECT_EQ((std::vector<std::string>{"unreg pentab.dll wait silent", "unreg penui.dll wait",
                                        "run drvclean.exe silent"}),
              Plan(l, true, BeforeItems));
    EXPECT_EQ((std::vector<std::string>{"run final.exe wait installed"}), Plan(l, true, AfterItems));
    EXPECT_TRUE(Plan(HelperLists{}, false, AfterItems).empty());
}

TEST(HelperSteps, ListsStopAtEightEntriesOrAtTheFirstWithoutAName) {
    const ProgramSlot nine[] = {{"p1.exe", 0, 0}, {"p2.exe", 0, 0}, {"p3.exe", 0, 0}, {"p4.exe", 0, 0}, {"p5.exe", 0, 0},
                                {"p6.exe", 0, 0}, {"p7.exe", 0, 0}, {"p8.exe", 0, 0}, {"p9.exe", 0, 0}};
    EXPECT_EQ(8, UsedProgramSlots(nine, 9));
    HelperLists l;
    l.installAfter = nine;
    l.installAfterCount = 9;
    std::vector<std::string> steps = Plan(l, false, AfterItems);
    ASSERT_EQ(8u, steps.size());
    EXPECT_EQ("run p8.exe installed", steps.back());

    const ProgramSlot gap[] = {{"a.exe", 0, 0}, {"", 0, 0}, {"c.exe", 0, 0}};
    EXPECT_EQ(1, UsedProgramSlots(gap, 3));
    const ProgramSlot nullName[] = {{"a.exe", 0, 0}, {nullptr, 0, 0}};
    EXPECT_EQ(1, UsedProgramSlots(nullName, 2));
    const LibrarySlot libGap[] = {{"", 0}, {"x.dll", 0}};
    EXPECT_EQ(0, UsedLibrarySlots(libGap, 2));
    LibrarySlot nineLibs[9];
    for (auto& s : nineLibs) s = {"x.dll", false};
    EXPECT_EQ(8, UsedLibrarySlots(nineLibs, 9));
    EXPECT_EQ(0, UsedProgramSlots(nullptr, 5));
}

TEST(HelperSteps, CommandLinesByListAndSilentFlag) {
    struct Case { bool removal; bool silent; const char* arguments; };
    const Case cases[] = {
        {false, false, " /Install"},
        {false, true, " /SInstall"},
        {true, false, " /Removed"},
        {true, true, " /SRemoved"},
    };
    for (const Case& c : cases) {
        HelperStep step{StartsProgram, "DrvSetup.exe", true, c.silent, false};
        EXPECT_EQ(std::string("C:\\Tablet\\DrvSetup.exe") + c.arguments,
                  HelperCommandLine(step, c.removal, "C:\\Tablet").c_str());
        EXPECT_EQ(std::string("C:\\DrvSetup.exe") + c.arguments, HelperCommandLine(step, c.removal, "C:\\").c_str());
    }
}

TEST(HelperSteps, RegistrationCommandQuotesTheFullPath) {
    struct Case { bool silent; bool unregister; const char* command; };
    const Case cases[] = {
        {false, false, "regsvr32.exe \"C:\\Program Files\\Pen\\pen tab.dll\""},
        {true, false, "regsvr32.exe /s \"C:\\Program Files\\Pen\\pen tab.dll\""},
        {false, true, "regsvr32.exe /u \"C:\\Program Files\\Pen\\pen tab.dll\""},
        {true, true, "regsvr32.exe /s /u \"C:\\Program Files\\Pen\\pen tab.dll\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(c.command), RegistrationCommand("C:\\Program Files\\Pen\\pen tab.dll", c.silent, c.unregister).c_str());
        HelperStep step{c.unregister ? UnregistersLibrary : RegistersLibrary, "pen tab.dll", true, c.silent, false};
        EXPECT_EQ(std::string(c.command), HelperCommandLine(step, c.unregister, "C:\\Program Files\\Pen").c_str());
    }
}

TEST(HelperSteps, AfterProgramsRunWhereTheyWereInstalledElseFromTheDestination) {
    HelperStep after{StartsProgram, "drv.exe", true, false, true};
    HelperStep before{StartsProgram, "drv.exe", true, false, false};
    EXPECT_STREQ("D:\\Installed", HelperDirectory(after, "D:\\Installed", "C:\\Dest"));
    EXPECT_STREQ("C:\\Dest", HelperDirectory(after, "", "C:\\Dest"));        // skipped file, or a removal run
    EXPECT_STREQ("C:\\Dest", HelperDirectory(after, nullptr, "C:\\Dest"));
    EXPECT_STREQ("C:\\Dest", HelperDirectory(before, "D:\\Installed", "C:\\Dest"));
    EXPECT_STREQ("", HelperDirectory(before, nullptr, nullptr));
}
