// The sample medium's menus build completely: every picture they name loads.
#include "launcher/main_frame.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(LauncherSample, EveryMenuOfTheSampleMediumBuilds) {
    const std::string source = WindowsPath(LAUNCHER_SAMPLE_MEDIUM);
    ScratchDir medium("sample");
    CreateDirectoryA((medium / "art").c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((source + "\\art\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((source + "\\art\\" + found.cFileName).c_str(), (medium / "art\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    InDirectory inMedium(medium.path());

    struct Menu { const char* file; int itemType; } menus[] = {
        {"setup.inf", 2}, {"menus\\setup-text.inf", 0}, {"menus\\setup-picture.inf", 1}};
    for (const Menu& menu : menus) {
        SCOPED_TRACE(menu.file);
        ASSERT_TRUE(CopyFileA((source + "\\" + menu.file).c_str(), (medium / "setup.inf").c_str(), FALSE));
        // The copies keep their checkout time, so the profile cache would take them for the
        // file it read last: drop the cache.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, (medium / "setup.inf").c_str());
        CMainFrame frame(medium.path() + "\\");
        ASSERT_TRUE(frame.Create());
        EXPECT_EQ(520, frame.Background()->Width());
        EXPECT_EQ(380, frame.Background()->Height());
        ASSERT_EQ(3u, frame.Items().size());
        EXPECT_EQ(menu.itemType, g_menu.settings.itemType);
        for (const auto& item : frame.Items()) {
            EXPECT_EQ(menu.itemType == 1, item->textRect.Empty()) << item->text;
            EXPECT_EQ(menu.itemType != 0, item->pictureRect.Width() == 40) << item->text;
            EXPECT_NE(ActionNone, item->settings.action);
        }
        DestroyWindow(frame.Window());
        PumpMessages();
    }
}

}  // namespace
