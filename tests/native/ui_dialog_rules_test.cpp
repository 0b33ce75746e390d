// The decisions behind the installer's dialogs and wizard pages.
#include <gtest/gtest.h>
#include <string>
#include "installer/ui/dialog_rules.h"
#include "resources/resource_ids.h"

namespace {

TEST(OptionsDialogLayout, FitsTheRowsToTheComponentCount) {
    struct Case {
        int count, visible, shrink, scrollMax;
        bool noArea, noFrame, singleDisabled;
    };
    const int pitch = 20;
    const Case cases[] = {
        {0, 0, 0, 0, true, false, false},
        {1, 1, 3 * pitch, 0, false, true, true},
        {2, 2, 2 * pitch, 0, false, false, false},
        {3, 3, 1 * pitch, 0, false, false, false},
        {4, 4, 0, 0, false, false, false},
        {6, 4, 0, 2, false, false, false},
        {40, 4, 0, 36, false, false, false},
    };
    for (const Case& c : cases) {
        OptionsLayout layout = LayoutForComponents(c.count, pitch);
        SCOPED_TRACE(c.count);
        EXPECT_EQ(layout.visibleRows, c.visible);
        EXPECT_EQ(layout.shrinkBy, c.shrink);
        EXPECT_EQ(layout.scrollMax, c.scrollMax);
        EXPECT_EQ(layout.hideComponentArea, c.noArea);
        EXPECT_EQ(layout.hideFrame, c.noFrame);
        EXPECT_EQ(layout.disableSingleBox, c.singleDisabled);
    }
}

TEST(OptionsDialogScrolling, MovesOneRowAtATimeWithinTheRange) {
    EXPECT_EQ(ScrollRequest(ScrollLineDown, 0, 0, 2), 1);
    EXPECT_EQ(ScrollRequest(ScrollPageDown, 1, 0, 2), 2);   // a page is one row too
    EXPECT_EQ(ScrollRequest(ScrollLineDown, 2, 0, 2), 2);   // held at the end
    EXPECT_EQ(ScrollRequest(ScrollLineUp, 0, 0, 2), 0);
    EXPECT_EQ(ScrollRequest(ScrollPageUp, 2, 0, 2), 1);
    EXPECT_EQ(ScrollRequest(ScrollThumbTrack, 0, 2, 2), 2);
    EXPECT_EQ(ScrollRequest(ScrollThumbPosition, 2, 9, 2), 2);
    EXPECT_EQ(ScrollRequest(6 /* top */, 1, 0, 2), -1);
    EXPECT_EQ(ScrollRequest(8 /* end scroll */, 1, 0, 2), -1);
}

std::vector<ComponentChoice> Choices(std::initializer_list<std::pair<bool, int>> list) {
    std::vector<ComponentChoice> choices;
    for (auto& p : list) choices.push_back({p.first, p.second});
    return choices;
}

TEST(DeviceTypeRule, TickingOneTabletKindUnticksTheOther) {
    // USB driver ticked while the serial driver is ticked: the serial one gives way.
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 1}, {true, 0}, {true, 2}}), 2), 0);
    // The first conflicting one goes, not a later one.
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 0}, {true, 2}, {true, 1}, {true, 2}}), 2), 1);
    // Same kind, no kind, or unticked: nothing gives way.
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 2}, {true, 2}}), 1), -1);
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 1}, {true, 0}}), 1), -1);
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 1}, {false, 2}}), 1), -1);
    EXPECT_EQ(DeviceTypeConflict(Choices({{false, 1}, {true, 2}}), 0), -1);
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 1}, {true, 3}}), 1), -1);
    EXPECT_EQ(DeviceTypeConflict(Choices({{true, 1}}), 5), -1);
}

TEST(ComponentPageButtons, NextNeedsASelectionAndRoomWhenSpaceCounts) {
    const int backNext = WizardBack | WizardNext;
    EXPECT_EQ(ComponentPageButtons(true, 100, 101, true), backNext);
    EXPECT_EQ(ComponentPageButtons(true, 101, 101, true), WizardBack);   // equal is not enough
    EXPECT_EQ(ComponentPageButtons(true, 0, 0, true), WizardBack);       // no folder: nothing free
    EXPECT_EQ(ComponentPageButtons(false, 500, 0, true), backNext);      // toggling ignores space
    EXPECT_EQ(ComponentPageButtons(false, 0, 0, false), WizardBack);
    EXPECT_EQ(ComponentPageButtons(true, 1, 1000, false), WizardBack);
}

TEST(ComponentPageSpace, CountsSelectedComponentsOnlyAndDoesNotOverflow) {
    EXPECT_EQ(RequiredKilobytes({100, 200, 400}, {true, false, true}), 500);
    EXPECT_EQ(RequiredKilobytes({2000000000, 2000000000}, {true, true}), 4000000000LL);
    EXPECT_EQ(RequiredKilobytes({100, 200}, {true}), 100);   // a shorter selection is safe
    EXPECT_EQ(std::string(DriveRootOf("D:\\Pen\\Tools")), "D:\\");
    EXPECT_EQ(std::string(DriveRootOf("")), "");
    EXPECT_EQ(std::string(DriveRootOf("E:")), "E:");
}

TEST(ComponentPageFolder, OnlyANewFolderOtherThanTheInstallFolderIsCreated) {
    EXPECT_TRUE(FolderNeedsCreating("C:\\New", "C:\\Pen", false));
    EXPECT_FALSE(FolderNeedsCreating("C:\\Other", "C:\\Pen", true));   // exists: no question
    EXPECT_FALSE(FolderNeedsCreating("c:\\pen", "C:\\Pen", false));    // the install folder, any case
    EXPECT_TRUE(FolderNeedsCreating("", "C:\\Pen", false));
}

TEST(FinishPage, InstallTextsFollowTheStatus) {
    struct Case { int status; bool restart; unsigned first, second; bool dir, offer; };
    const Case cases[] = {
        {0, false, IDS_INSTALL_DONE, 0, false, false},
        {0, true, IDS_INSTALL_DONE, IDS_INSTALL_REBOOT, false, true},
        {5, true, IDS_INSTALL_DONE_NO_GROUP, 0, false, false},
        {6, false, IDS_CANNOT_CREATE_FOLDER, 0, true, false},
        {1, true, IDS_INSTALL_FAILED, 0, false, false},
        {4, false, IDS_INSTALL_FAILED, 0, false, false},
        {-1, false, IDS_INSTALL_FAILED, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        FinishTexts texts = InstallFinishTexts(c.status, c.restart);
        EXPECT_EQ(texts.first, c.first);
        EXPECT_EQ(texts.second, c.second);
        EXPECT_EQ(texts.withInstallDir, c.dir);
        EXPECT_EQ(texts.offerRestart, c.offer);
    }
}

TEST(FinishPage, RemovalTextsAreTheRemovalsOwn) {
    EXPECT_EQ(RemoveFinishTexts(0, false).first, static_cast<unsigned>(IDS_REMOVE_DONE));
    FinishTexts restart = RemoveFinishTexts(0, true);
    EXPECT_EQ(restart.first, static_cast<unsigned>(IDS_REMOVE_REBOOT));
    EXPECT_TRUE(restart.offerRestart);
    EXPECT_EQ(RemoveFinishTexts(0x101, true).first, static_cast<unsigned>(IDS_REMOVE_FAILED));
    EXPECT_FALSE(RemoveFinishTexts(0x101, true).offerRestart);
    FinishTexts dirs = RemoveFinishTexts(0x106, true);
    EXPECT_EQ(dirs.first, static_cast<unsigned>(IDS_REMOVE_DIRS_KEPT));
    EXPECT_EQ(dirs.second, static_cast<unsigned>(IDS_REMOVE_REBOOT));
    EXPECT_TRUE(dirs.offerRestart);
}

TEST(SummaryPages, ListEnabledItemsFolderAndGroup) {
    EXPECT_EQ(std::string(InstallSummaryText({"Driver", "Tools"}, "C:\\Pen", "Pen Tablet")),
              "Install Item :\r\n    Driver\r\n    Tools\r\n\r\n"
              "Install Location :\r\n    C:\\Pen\r\n\r\n"
              "Start Menu :\r\n    Pen Tablet\r\n\r\n");
    EXPECT_EQ(std::string(RemoveSummaryText({"Driver"})), "Remove Item :\r\n    Driver\r\n\r\n");
    EXPECT_EQ(std::string(RemoveSummaryText({})), "Remove Item :\r\n\r\n");
}

TEST(Centring, HalvesTheDifferenceTruncatingTowardZero) {
    EXPECT_EQ(CentredOrigin(0, 800, 300), 250);
    EXPECT_EQ(CentredOrigin(100, 401, 200), 200);   // 201 / 2 = 100
    EXPECT_EQ(CentredOrigin(0, 300, 401), -50);     // -101 / 2 = -50, not -51
    EXPECT_EQ(CentredOrigin(-20, 100, 100), -20);
}

}  // namespace
