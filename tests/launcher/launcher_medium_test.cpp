// The menu of the built sample medium: it builds from the medium's own "setup.inf" and
// art, and its items lead to what the medium holds (the installer and the manuals).
#include "launcher/main_frame.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

namespace {

bool DirectoryThere(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST(LauncherMedium, TheBuiltMediumsMenuLeadsToItsInstallerAndManuals) {
    const std::string medium = WindowsPath(SAMPLE_MEDIUM_DIR) + "\\";
    ASSERT_TRUE(FileThere(medium + "setup.exe"));
    InDirectory inMedium(medium);   // picture names are relative to the medium's root
    CMainFrame frame(medium);
    ASSERT_TRUE(frame.Create());
    EXPECT_EQ(520, frame.Background()->Width());
    ASSERT_EQ(3u, frame.Items().size());

    int installers = 0, folders = 0, exits = 0;
    for (const auto& item : frame.Items()) {
        SCOPED_TRACE(item->text);
        const ItemSettings& settings = item->settings;
        EXPECT_EQ(40, item->pictureRect.Width());
        if (settings.action == ActionExecuteFile) {
            ++installers;
            EXPECT_EQ("Instally.exe", settings.exe);
            EXPECT_TRUE(FileThere(medium + settings.path + "\\" + settings.exe));
            // The installer finds its scripts beside itself.
            EXPECT_TRUE(FileThere(medium + settings.path + "\\SetupX64.W7"));
            EXPECT_TRUE(FileThere(medium + settings.path + "\\SetupExt.WNT"));
        } else if (settings.action == ActionProgramManager) {
            ++folders;
            EXPECT_TRUE(DirectoryThere(settings.targetPath)) << settings.targetPath;
        } else if (settings.action == ActionExit) {
            ++exits;
        }
    }
    EXPECT_EQ(1, installers);
    EXPECT_EQ(1, folders);
    EXPECT_EQ(1, exits);
    DestroyWindow(frame.Window());
    PumpMessages();
}
