// The menu on a real display (run under a virtual X server by run_on_screen.sh): what
// the screen shows for a text menu and a picture menu, driven by synthetic input.
// Screenshots go to the folder named by LAUNCHER_SHOT_DIR.
#include "launcher/main_frame.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

const COLORREF kBack = RGB(0, 90, 140);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kCyan = RGB(0, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(220, 0, 0);

std::string ShotPath(const char* name) {
    const char* dir = std::getenv("LAUNCHER_SHOT_DIR");
    return std::string(dir ? dir : ".") + "\\" + name + ".bmp";
}

// Lets the window react and repaint for a while.
void Settle(int ms = 300) {
    for (int waited = 0; waited < ms; waited += 20) {
        PumpMessages();
        Sleep(20);
    }
}

class LauncherScreen : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBitmapFile(medium / "back.bmp", 360, 240, [](int, int) { return kBack; });
        WriteBitmapFile(medium / "up.bmp", 60, 30, [](int x, int) { return x < 30 ? kWhite : kRed; });
    }
    void TearDown() override {
        frame.reset();
        PumpMessages();
    }
    void Open(const std::string& parameters, const std::string& sections) {
        WriteBytes(medium / "setup.inf", "[ItemsParameter]\r\nBKPicture=" + medium / "back.bmp" + "\r\n" +
                                             parameters + sections);
        frame = std::make_unique<CMainFrame>(medium.path() + "\\");
        ASSERT_TRUE(frame->Create());
        SetForegroundWindow(frame->Window());
        Settle(300);
        GrabWhen("opening", [](const Canvas& c) { return c.Pixel(2, 2) == kBack; });
    }
    // The window's client area as the screen shows it.
    std::unique_ptr<Canvas> Grab(const char* name) {
        RECT client = {};
        GetClientRect(frame->Window(), &client);
        POINT origin = {0, 0};
        ClientToScreen(frame->Window(), &origin);
        auto canvas = std::make_unique<Canvas>(client.right, client.bottom, RGB(1, 1, 1));
        HDC screen = GetDC(nullptr);
        BitBlt(canvas->dc(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        canvas->SaveBitmap(ShotPath(name));
        return canvas;
    }
    void MoveTo(const Rect& r) {
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(frame->Window(), &p);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        Settle();
    }
    // Grabs until the screen shows what `shown` looks for (the display lags behind the
    // window's state), at most five seconds; the last grab is returned either way.
    template <typename Shown>
    std::unique_ptr<Canvas> GrabWhen(const char* name, Shown shown) {
        std::unique_ptr<Canvas> canvas;
        for (int waited = 0; waited < 5000; waited += 100) {
            canvas = Grab(name);
            if (shown(*canvas)) break;
            Settle(100);
        }
        return canvas;
    }
    static int CountIn(const Canvas& c, COLORREF colour, const Rect& r) {
        return c.Count(colour, r.left, r.top, r.right, r.bottom);
    }

    ScratchDir medium{"screen"};
    std::unique_ptr<CMainFrame> frame;
    ShellRecorder shell;
};

TEST_F(LauncherScreen, TextMenuFollowsMouseAndKeys) {
    Open("TextColor=65535\r\nTextColorSel=16776960\r\nTextColorDown=16711935\r\nItemFormat=1\r\n"
         "FontFace=Tahoma\r\nFontSize=24\r\nFontBold=1\r\n",
         "[Items]\r\nSetup=Install the driver\r\nDocs=Read the manual\r\nQuit=Close\r\n"
         "[Setup]\r\nType=EXECUTEFILE\r\nexe=Instally.exe\r\n[Quit]\r\nType=EXIT\r\n");
    ASSERT_EQ(3u, frame->Items().size());
    Rect setup = frame->Items()[0]->textRect, docs = frame->Items()[1]->textRect;

    std::unique_ptr<Canvas> shown =
        GrabWhen("text-menu", [&](const Canvas& c) { return CountIn(c, kYellow, setup) > 20; });
    EXPECT_EQ(kBack, shown->Pixel(2, 2));
    EXPECT_GT(CountIn(*shown, kYellow, setup), 20);
    EXPECT_EQ(0, CountIn(*shown, kCyan, setup));

    MoveTo(docs);
    std::unique_ptr<Canvas> hover =
        GrabWhen("text-menu-hover", [&](const Canvas& c) { return CountIn(c, kCyan, docs) > 20; });
    EXPECT_GT(CountIn(*hover, kCyan, docs), 20);
    EXPECT_GT(CountIn(*hover, kYellow, setup), 20);

    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Settle();
    std::unique_ptr<Canvas> pressed =
        GrabWhen("text-menu-pressed", [&](const Canvas& c) { return CountIn(c, kMagenta, docs) > 20; });
    EXPECT_GT(CountIn(*pressed, kMagenta, docs), 20);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Settle();
    EXPECT_TRUE(shell.calls().empty());   // the manual item has no action: nothing reaches the shell

    // Keys act on release: Up from the manual item is the setup item, wrapping Down twice.
    PostMessageA(frame->Window(), WM_KEYUP, VK_UP, 0);
    Settle();
    std::unique_ptr<Canvas> keyed =
        GrabWhen("text-menu-key", [&](const Canvas& c) { return CountIn(c, kCyan, setup) > 20; });
    EXPECT_GT(CountIn(*keyed, kCyan, setup), 20);
    // A real key: nothing while it is held, the next item once it is let go.
    keybd_event(VK_DOWN, 0, 0, 0);
    Settle();
    EXPECT_EQ(frame->Items()[0].get(), g_menu.hotItem);
    keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    Settle();
    EXPECT_EQ(frame->Items()[1].get(), g_menu.hotItem);
    keybd_event(VK_UP, 0, 0, 0);
    keybd_event(VK_UP, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_RETURN, 0, 0, 0);
    Settle();
    EXPECT_TRUE(shell.calls().empty());
    keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    Settle();
    ASSERT_EQ(1u, shell.calls().size());
    EXPECT_EQ("Instally.exe", shell.calls()[0].file);
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    Settle();
    EXPECT_EQ(nullptr, frame->Window());
}

TEST_F(LauncherScreen, PictureMenuKeyColourOnlyTransparentWhenAsked) {
    for (int transparent = 0; transparent < 2; ++transparent) {
        Open("ItemType=1\r\nTransparentPicture=" + std::to_string(transparent) + "\r\n",
             "[Items]\r\nOne=One\r\nTwo=Two\r\n[One]\r\nPictureUp=" + medium / "up.bmp" +
                 "\r\n[Two]\r\nPictureUp=" + medium / "up.bmp" + "\r\n");
        Rect picture = frame->Items()[0]->pictureRect;
        ASSERT_EQ(60, picture.Width());
        Rect left{picture.left, picture.top, picture.left + 30, picture.bottom};
        Rect right{picture.left + 30, picture.top, picture.right, picture.bottom};
        std::unique_ptr<Canvas> shown =
            GrabWhen(transparent ? "picture-menu-transparent" : "picture-menu-opaque",
                     [&](const Canvas& c) { return CountIn(c, kRed, right) == 900; });
        EXPECT_EQ(900, CountIn(*shown, transparent ? kBack : kWhite, left)) << transparent;
        EXPECT_EQ(900, CountIn(*shown, kRed, right));
        frame.reset();
        PumpMessages();
    }
}

}  // namespace
