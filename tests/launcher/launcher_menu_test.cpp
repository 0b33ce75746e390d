// The menu window in this process: items built from "setup.inf", their places, the
// mouse and keyboard, what they hand to the shell, and what a repaint shows.
#include "launcher/main_frame.h"
#include "launcher/message_loop.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const COLORREF kGreen = RGB(0, 100, 0);
const COLORREF kYellow = RGB(255, 255, 0);    // TextColor 65535
const COLORREF kCyan = RGB(0, 255, 255);      // TextColorSel 16776960
const COLORREF kMagenta = RGB(255, 0, 255);   // TextColorDown 16711935
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kBlue = RGB(0, 0, 200);

const char kColours[] = "TextColor=65535\r\nTextColorSel=16776960\r\nTextColorDown=16711935\r\n"
                        "FontFace=Tahoma\r\nFontSize=22\r\nFontBold=1\r\n";
const char kThreeItems[] =
    "[Items]\r\nInstall=Install the driver\r\nDocs=Manuals\r\nQuit=Exit\r\n"
    "[Install]\r\nType=EXECUTEFILE\r\nexe=Instally.exe\r\npath=Driver\r\nExeParameter=/S\r\n"
    "[Docs]\r\nType=PROGRAMMANAGER\r\npath=Docs\r\n"
    "[Quit]\r\nType=exit\r\n";

class LauncherMenu : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBitmapFile(medium / "bg.bmp", 420, 340, [](int, int) { return kGreen; });
    }
    void TearDown() override {
        frame.reset();
        PumpMessages();
    }
    bool Open(const std::string& parameters, const std::string& sections) {
        WriteBytes(medium / "setup.inf",
                   "[ItemsParameter]\r\nBKPicture=" + medium / "bg.bmp" + "\r\n" + parameters + sections);
        frame = std::make_unique<CMainFrame>(medium.path() + "\\");
        return frame->Create();
    }
    HWND Window() const { return frame->Window(); }
    MenuItem& Item(size_t i) const { return *frame->Items().at(i); }
    static POINT Centre(const Rect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void Mouse(UINT message, POINT p) { SendMessageA(Window(), message, 0, MAKELPARAM(p.x, p.y)); }
    void KeyUp(WPARAM key) { SendMessageA(Window(), WM_KEYUP, key, 0); }
    std::unique_ptr<Canvas> Render() {
        RECT client = {};
        GetClientRect(Window(), &client);
        auto canvas = std::make_unique<Canvas>(client.right, client.bottom, RGB(1, 2, 3));
        frame->PaintInto(canvas->dc());
        return canvas;
    }
    static int CountIn(const Canvas& c, COLORREF colour, const Rect& r) {
        return c.Count(colour, r.left, r.top, r.right, r.bottom);
    }

    ScratchDir medium{"menu"};
    std::unique_ptr<CMainFrame> frame;
    ShellRecorder shell;
};

TEST_F(LauncherMenu, NoBackgroundMeansNoWindow) {
    WriteBytes(medium / "setup.inf", std::string("[ItemsParameter]\r\nItemType=0\r\n") + kThreeItems);
    frame = std::make_unique<CMainFrame>(medium.path() + "\\");
    EXPECT_FALSE(frame->Create());
    EXPECT_EQ(nullptr, frame->Window());
    WriteBytes(medium / "setup.inf", "[ItemsParameter]\r\nBKPicture=" + medium / "absent.bmp" + "\r\n");
    frame = std::make_unique<CMainFrame>(medium.path() + "\\");
    EXPECT_FALSE(frame->Create());
    // Other test programs may show menus at the same time: look at this process only.
    for (HWND w = FindWindowA(kMenuWindowClass, nullptr); w; w = FindWindowExA(nullptr, w, kMenuWindowClass, nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        EXPECT_NE(GetCurrentProcessId(), pid);
    }
}

TEST_F(LauncherMenu, WindowTakesTheBackgroundSizeAndItemsFormAColumn) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    RECT window = {};
    GetWindowRect(Window(), &window);
    EXPECT_EQ(420, window.right - window.left);
    EXPECT_EQ(340, window.bottom - window.top);
    EXPECT_EQ(WS_POPUP | WS_VISIBLE | WS_BORDER,
              GetWindowLongA(Window(), GWL_STYLE) & (WS_POPUP | WS_VISIBLE | WS_BORDER | WS_CAPTION));
    ASSERT_EQ(3u, frame->Items().size());
    int h = Item(0).textRect.Height();
    ASSERT_GT(h, 0);
    int gap = (310 - 130 - 3 * h) / 2;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(50, Item(i).textRect.left);
        EXPECT_EQ(130 + static_cast<int>(i) * (h + gap), Item(i).textRect.top) << i;
    }
    EXPECT_EQ("Install the driver", Item(0).text);
}

TEST_F(LauncherMenu, ItalicTextIsMeasuredWithOneMoreSpace) {
    ASSERT_TRUE(Open(std::string(kColours) + "FontItalic=1\r\nItemFormat=1\r\n", kThreeItems));
    HFONT font = CreateFontA(22, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE with = {}, without = {};
    GetTextExtentPoint32A(dc, "Manuals ", 8, &with);
    GetTextExtentPoint32A(dc, "Manuals", 7, &without);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    EXPECT_EQ(with.cx, Item(1).textRect.Width());
    EXPECT_GT(with.cx, without.cx);
    EXPECT_EQ(50 + (350 - with.cx) / 2, Item(1).textRect.left);   // centred in the box
}

TEST_F(LauncherMenu, FixedPositionsAndEmptyItems) {
    ASSERT_TRUE(Open("FixedPosition=1\r\nItemFormat=3\r\n",
                     "[Items]\r\nA=Alpha\r\nEMPTYITEM=-\r\nB=Beta\r\n"
                     "[A]\r\nxStart=10\r\nyStart=20\r\n[B.all]\r\nxStart=100\r\nyStart=150\r\n"));
    ASSERT_EQ(2u, frame->Items().size());
    EXPECT_EQ(10, Item(0).textRect.left);
    EXPECT_EQ(20, Item(0).textRect.top);
    EXPECT_EQ(100, Item(1).textRect.left);
    EXPECT_EQ(150, Item(1).textRect.top);
}

TEST_F(LauncherMenu, UnknownItemTypeShowsOnlyTheBackground) {
    ASSERT_TRUE(Open("ItemType=7\r\n", kThreeItems));
    EXPECT_TRUE(frame->Items().empty());
    std::unique_ptr<Canvas> canvas = Render();
    EXPECT_EQ(canvas->width() * canvas->height(), canvas->Count(kGreen, 0, 0, canvas->width(), canvas->height()));
    KeyUp(VK_DOWN);
    KeyUp(VK_ESCAPE);
    PumpMessages();
    EXPECT_EQ(nullptr, frame->Window());
}

TEST_F(LauncherMenu, HoverAndPressColours) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    Rect docs = Item(1).textRect;
    std::unique_ptr<Canvas> before = Render();
    EXPECT_GT(CountIn(*before, kYellow, docs), 0);
    EXPECT_EQ(0, CountIn(*before, kCyan, docs));

    Mouse(WM_MOUSEMOVE, Centre(docs));
    EXPECT_EQ(&Item(1), g_menu.hotItem);
    std::unique_ptr<Canvas> hover = Render();
    EXPECT_GT(CountIn(*hover, kCyan, docs), 0);
    EXPECT_EQ(0, CountIn(*hover, kYellow, docs));
    EXPECT_GT(CountIn(*hover, kYellow, Item(0).textRect), 0);

    Mouse(WM_LBUTTONDOWN, Centre(docs));
    EXPECT_EQ(Window(), GetCapture());
    std::unique_ptr<Canvas> pressed = Render();
    EXPECT_GT(CountIn(*pressed, kMagenta, docs), 0);
    EXPECT_EQ(0, CountIn(*pressed, kCyan, docs));
    Mouse(WM_LBUTTONUP, Centre(docs));
    EXPECT_EQ(nullptr, GetCapture());
    ASSERT_EQ(1u, shell.calls().size());
}

TEST_F(LauncherMenu, PressMoveOffAndReleaseRunsNothing) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    POINT install = Centre(Item(0).textRect);
    Mouse(WM_MOUSEMOVE, install);
    Mouse(WM_LBUTTONDOWN, install);
    Mouse(WM_MOUSEMOVE, POINT{5, 5});
    EXPECT_FALSE(g_menu.pressed);
    EXPECT_EQ(&Item(0), g_menu.hotItem);
    Mouse(WM_MOUSEMOVE, install);
    EXPECT_TRUE(g_menu.pressed);
    Mouse(WM_MOUSEMOVE, Centre(Item(2).textRect));
    Mouse(WM_LBUTTONUP, Centre(Item(2).textRect));
    EXPECT_TRUE(shell.calls().empty());
    EXPECT_EQ(&Item(2), g_menu.hotItem);   // the item under the pointer at release
    EXPECT_NE(nullptr, frame->Window());   // Exit did not run either

    Mouse(WM_LBUTTONDOWN, install);
    Mouse(WM_LBUTTONUP, POINT{5, 5});
    EXPECT_EQ(nullptr, g_menu.hotItem);
    EXPECT_TRUE(shell.calls().empty());

    // A press that began off the items (or outside the window) chooses nothing on release.
    Mouse(WM_LBUTTONDOWN, POINT{5, 5});
    EXPECT_EQ(nullptr, GetCapture());
    Mouse(WM_MOUSEMOVE, install);
    Mouse(WM_LBUTTONUP, install);
    EXPECT_EQ(&Item(0), g_menu.hotItem);
    EXPECT_TRUE(shell.calls().empty());
}

TEST_F(LauncherMenu, LosingTheMouseToAnotherWindowEndsThePress) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    Rect docs = Item(1).textRect;
    Mouse(WM_MOUSEMOVE, Centre(docs));
    Mouse(WM_LBUTTONDOWN, Centre(docs));
    ASSERT_TRUE(g_menu.pressed);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    SetCapture(other);   // no button-up reaches the menu
    EXPECT_FALSE(g_menu.pressed);
    EXPECT_EQ(nullptr, g_menu.capturedItem);
    std::unique_ptr<Canvas> after = Render();
    EXPECT_EQ(0, CountIn(*after, kMagenta, docs));
    EXPECT_GT(CountIn(*after, kCyan, docs), 0);   // still the item under the pointer
    ReleaseCapture();
    DestroyWindow(other);
    Mouse(WM_LBUTTONUP, Centre(docs));   // a late button-up chooses nothing
    EXPECT_TRUE(shell.calls().empty());
}

namespace {
int g_reads = 0;
BOOL WINAPI QueueThatFails(LPMSG message, HWND, UINT, UINT) {
    ++g_reads;
    message->message = WM_QUIT;
    message->wParam = 99;   // what a failed read may leave behind
    return -1;
}
}  // namespace

TEST(LauncherLoop, EndsWithTheQuitCodeOrZeroWhenTheQueueFails) {
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop());
    EXPECT_EQ(0, RunMessageLoop(QueueThatFails));
    EXPECT_EQ(1, g_reads);
}

TEST_F(LauncherMenu, ClickStartsTheProgramInItsFolder) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    POINT install = Centre(Item(0).textRect);
    Mouse(WM_MOUSEMOVE, install);
    Mouse(WM_LBUTTONDOWN, install);
    Mouse(WM_LBUTTONUP, install);
    ASSERT_EQ(1u, shell.calls().size());
    const ShellCall& call = shell.calls()[0];
    EXPECT_EQ("open", call.verb);
    EXPECT_EQ("Instally.exe", call.file);
    EXPECT_EQ("/S", call.parameters);
    EXPECT_EQ(medium.path() + "\\Driver", call.directory);
    EXPECT_EQ(SW_SHOW, call.show);
    EXPECT_NE(nullptr, frame->Window());   // the menu stays open
}

TEST_F(LauncherMenu, KeysActOnReleaseAndWrap) {
    ASSERT_TRUE(Open(kColours, kThreeItems));
    SendMessageA(Window(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(Window(), WM_KEYDOWN, VK_DOWN, 0x40000000);   // auto-repeat
    EXPECT_EQ(nullptr, g_menu.hotItem);
    KeyUp(VK_UP);
    EXPECT_EQ(&Item(0), g_menu.hotItem);   // Up without a hot item: the first
    KeyUp(VK_UP);
    EXPECT_EQ(&Item(2), g_menu.hotItem);
    KeyUp(VK_TAB);
    EXPECT_EQ(&Item(0), g_menu.hotItem);
    KeyUp(VK_DOWN);
    EXPECT_EQ(&Item(1), g_menu.hotItem);
    std::unique_ptr<Canvas> canvas = Render();
    EXPECT_GT(CountIn(*canvas, kCyan, Item(1).textRect), 0);

    SendMessageA(Window(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(shell.calls().empty());
    KeyUp(VK_RETURN);
    ASSERT_EQ(1u, shell.calls().size());
    const ShellCall& docs = shell.calls()[0];
    EXPECT_EQ("open", docs.verb);
    EXPECT_EQ(medium.path() + "\\Docs", docs.file);
    EXPECT_FALSE(docs.hasParameters);
    EXPECT_FALSE(docs.hasDirectory);

    KeyUp(VK_DOWN);
    KeyUp(VK_RETURN);    // Exit
    PumpMessages();
    EXPECT_EQ(nullptr, frame->Window());
}

TEST_F(LauncherMenu, EscapeCloses) {
    ASSERT_TRUE(Open("", kThreeItems));
    HWND window = Window();
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(window));
    KeyUp(VK_ESCAPE);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(LauncherMenu, ProgramWithoutParametersGetsNone) {
    ASSERT_TRUE(Open("", "[Items]\r\nRun=Run\r\n[Run]\r\nType=EXECUTEFILE\r\nexe=tool.exe\r\n"));
    KeyUp(VK_TAB);
    KeyUp(VK_RETURN);
    ASSERT_EQ(1u, shell.calls().size());
    EXPECT_FALSE(shell.calls()[0].hasParameters);
    EXPECT_EQ(medium.path() + "\\", shell.calls()[0].directory);
}

class LauncherPictureMenu : public LauncherMenu {
protected:
    // 40 by 20 pictures: Up white and red halves, Sel white and blue halves.
    void WritePictures() {
        WriteBitmapFile(medium / "up.bmp", 40, 20, [](int x, int) { return x < 20 ? kWhite : kRed; });
        WriteBitmapFile(medium / "sel.bmp", 40, 20, [](int x, int) { return x < 20 ? kWhite : kBlue; });
    }
    std::string Sections() {
        return "[Items]\r\nOne=First\r\nTwo=Second\r\n"
               "[One]\r\nPictureUp=" + medium / "up.bmp" + "\r\nPictureSel=" + medium / "sel.bmp" + "\r\n"
               "[Two]\r\nPictureUp=" + medium / "missing.bmp" + "\r\n";
    }
};

TEST_F(LauncherPictureMenu, KeyColourShowsTheBackgroundOnlyWhenTransparent) {
    WritePictures();
    for (int transparent = 0; transparent < 2; ++transparent) {
        ASSERT_TRUE(Open("ItemType=1\r\nTransparentPicture=" + std::to_string(transparent) + "\r\n", Sections()));
        Rect picture = Item(0).pictureRect;
        ASSERT_EQ(40, picture.Width());
        ASSERT_EQ(20, picture.Height());
        EXPECT_TRUE(Item(1).pictureRect.Empty());   // no PictureUp: no area, never hit
        std::unique_ptr<Canvas> canvas = Render();
        Rect left{picture.left, picture.top, picture.left + 20, picture.bottom};
        Rect right{picture.left + 20, picture.top, picture.right, picture.bottom};
        EXPECT_EQ(400, CountIn(*canvas, transparent ? kGreen : kWhite, left)) << transparent;
        EXPECT_EQ(400, CountIn(*canvas, kRed, right));

        Mouse(WM_MOUSEMOVE, Centre(picture));   // hot: the Sel picture through the Up mask
        std::unique_ptr<Canvas> hot = Render();
        EXPECT_EQ(400, CountIn(*hot, transparent ? kGreen : kWhite, left));
        EXPECT_EQ(400, CountIn(*hot, kBlue, right));
        frame.reset();
        PumpMessages();
    }
}

TEST_F(LauncherPictureMenu, PictureWithTextPutsTheTextBesideThePicture) {
    WritePictures();
    ASSERT_TRUE(Open(std::string(kColours) + "ItemType=2\r\nTransparentPicture=1\r\n", Sections()));
    const MenuItem& one = Item(0);
    EXPECT_EQ(50, one.pictureRect.left);
    EXPECT_EQ(one.pictureRect.right, one.textRect.left);
    EXPECT_GT(one.textRect.Width(), 0);
    std::unique_ptr<Canvas> canvas = Render();
    EXPECT_GT(CountIn(*canvas, kYellow, one.textRect), 0);
    EXPECT_EQ(400, CountIn(*canvas, kRed, Rect{one.pictureRect.left + 20, one.pictureRect.top,
                                               one.pictureRect.right, one.pictureRect.bottom}));
}

// Up and Down pictures, 40 by 20, whose rows differ: a picture drawn upside down shows it.
// The left halves are magenta, the key colour; the right halves red over blue (Up) and yellow
// over cyan (Down).
void WriteRowPictures(const ScratchDir& medium) {
    WriteBitmapFile(medium / "rows_up.bmp", 40, 20,
                    [](int x, int y) { return x < 20 ? kMagenta : y < 10 ? kRed : kBlue; });
    WriteBitmapFile(medium / "rows_down.bmp", 40, 20,
                    [](int x, int y) { return x < 20 ? kMagenta : y < 10 ? kYellow : kCyan; });
}

TEST_F(LauncherPictureMenu, PicturesAreUprightWithTheirKeyColourAndPressedPicture) {
    WriteRowPictures(medium);
    ASSERT_TRUE(Open("ItemType=1\r\nTransparentPicture=1\r\nTransparentColor=16711935\r\n",
                     "[Items]\r\nOne=First\r\n[One]\r\nPictureUp=" + medium / "rows_up.bmp" +
                         "\r\nPictureDown=" + medium / "rows_down.bmp" + "\r\n"));
    Rect p = Item(0).pictureRect;
    ASSERT_EQ(40, p.Width());
    Rect key{p.left, p.top, p.left + 20, p.bottom};
    Rect upper{p.left + 20, p.top, p.right, p.top + 10}, lower{p.left + 20, p.top + 10, p.right, p.bottom};
    std::unique_ptr<Canvas> resting = Render();
    EXPECT_EQ(400, CountIn(*resting, kGreen, key));   // magenta is the key: the background shows
    EXPECT_EQ(200, CountIn(*resting, kRed, upper));
    EXPECT_EQ(200, CountIn(*resting, kBlue, lower));

    Mouse(WM_MOUSEMOVE, Centre(p));
    Mouse(WM_LBUTTONDOWN, Centre(p));
    ASSERT_TRUE(g_menu.pressed);
    std::unique_ptr<Canvas> pressed = Render();
    EXPECT_EQ(400, CountIn(*pressed, kGreen, key));   // through the mask made from Up
    EXPECT_EQ(200, CountIn(*pressed, kYellow, upper));
    EXPECT_EQ(200, CountIn(*pressed, kCyan, lower));
    Mouse(WM_LBUTTONUP, POINT{1, 1});
}

TEST_F(LauncherPictureMenu, ItemWithoutUpPictureDrawsNothingWhenSelected) {
    WritePictures();
    ASSERT_TRUE(Open("ItemType=1\r\n", "[Items]\r\nOne=First\r\nTwo=Second\r\n"
                                         "[One]\r\nPictureUp=" + medium / "up.bmp" + "\r\n"
                                         "[Two]\r\nPictureSel=" + medium / "sel.bmp" +
                                         "\r\nPictureDown=" + medium / "sel.bmp" + "\r\n"));
    KeyUp(VK_TAB);
    KeyUp(VK_TAB);
    ASSERT_EQ(&Item(1), g_menu.hotItem);   // the keyboard can select what the mouse cannot hit
    std::unique_ptr<Canvas> canvas = Render();
    Rect corner{0, 0, 40, 20};
    EXPECT_EQ(800, CountIn(*canvas, kGreen, corner));
}

// The first column of the text rectangle that holds text colour, counted from its left.
int TextStart(const Canvas& canvas, const Rect& text) {
    for (int x = text.left; x < text.right; ++x)
        if (canvas.Count(kYellow, x, text.top, x + 1, text.bottom) > 0) return x - text.left;
    return -1;
}

TEST_F(LauncherPictureMenu, TextBesideThePictureStartsAtItsLeftInFormatTwo) {
    // An italic text rectangle is one space wider than the text: drawn right-aligned, the text
    // would start a space further in than left-aligned.
    WritePictures();
    int start[3] = {-1, -1, -1};
    for (int format : {0, 2}) {
        ASSERT_TRUE(Open(std::string(kColours) + "FontItalic=1\r\nItemType=2\r\nItemFormat=" +
                             std::to_string(format) + "\r\n", Sections()));
        start[format] = TextStart(*Render(), Item(0).textRect);
        frame.reset();
        PumpMessages();
    }
    ASSERT_GE(start[0], 0);
    EXPECT_EQ(start[0], start[2]);
}

}  // namespace
