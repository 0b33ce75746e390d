// Picture files into bitmaps, the background's packed DIB, masks and transparent drawing.
#include "launcher/menu_picture.h"
#include "launcher/launcher_handles.h"
#include "launcher/picture_loader.h"
#include "launcher/transparency.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 160);

// 20 by 10: a white left half, a red right half.
std::string WriteHalfWhite(const ScratchDir& dir, const char* name) {
    std::string path = dir / name;
    WriteBitmapFile(path, 20, 10, [](int x, int) { return x < 10 ? kWhite : kRed; });
    return path;
}

TEST(LauncherPictures, ItemPictureKeepsSizeAndColours) {
    ScratchDir dir("pic-item");
    GdiObject bitmap(LoadItemPicture(WriteHalfWhite(dir, "item.bmp")));
    ASSERT_TRUE(bitmap);
    int w = 0, h = 0;
    ASSERT_TRUE(BitmapSize(static_cast<HBITMAP>(bitmap.get()), w, h));
    EXPECT_EQ(20, w);
    EXPECT_EQ(10, h);
    Canvas canvas(20, 10, kBlue);
    DrawTransparent(canvas.dc(), 0, 0, static_cast<HBITMAP>(bitmap.get()), nullptr);
    EXPECT_EQ(kWhite, canvas.Pixel(2, 2));
    EXPECT_EQ(kRed, canvas.Pixel(15, 0));   // upright: the top row stays on top
    EXPECT_EQ(kRed, canvas.Pixel(15, 9));
}

TEST(LauncherPictures, UnreadableFilesGiveNoPicture) {
    ScratchDir dir("pic-bad");
    WriteBytes(dir / "garbage.bmp", std::string(300, 'x'));
    WriteBytes(dir / "empty.bmp", "");
    std::string truncated = ReadBytes(WriteHalfWhite(dir, "whole.bmp")).substr(0, 40);
    WriteBytes(dir / "cut.bmp", truncated);
    for (const char* name : {"missing.bmp", "garbage.bmp", "empty.bmp"}) {
        EXPECT_EQ(nullptr, LoadItemPicture(dir / name)) << name;
        EXPECT_EQ(nullptr, LoadBackgroundPicture(dir / name)) << name;
    }
    // What the decoder makes of a cut file is its own affair; loading it must not fail badly.
    GdiObject cut(LoadItemPicture(dir / "cut.bmp"));
    // A file held open without sharing cannot be read either.
    std::string locked = WriteHalfWhite(dir, "locked.bmp");
    FileHandle hold(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(nullptr, LoadItemPicture(locked));
}

TEST(LauncherPictures, BackgroundBecomesATrueColourDib) {
    ScratchDir dir("pic-background");
    std::string path = WriteHalfWhite(dir, "back.bmp");
    std::unique_ptr<CDibPicture> picture = LoadBackgroundPicture(path);
    ASSERT_TRUE(picture);
    EXPECT_EQ(20, picture->Width());
    EXPECT_EQ(10, picture->Height());
    EXPECT_EQ(path, picture->FileName());
    WindowDc screen(nullptr);
    if (GetDeviceCaps(screen.get(), BITSPIXEL) > 8) {
        EXPECT_EQ(24, picture->BitCount());
        EXPECT_EQ(0u, picture->ColourCount());
    }
    Canvas canvas(20, 10, kBlue);
    ASSERT_TRUE(picture->Draw(canvas.dc(), 0, 0, 20, 10, 0, 0, 20, 10, SRCCOPY));
    EXPECT_EQ(kWhite, canvas.Pixel(0, 0));
    EXPECT_EQ(kRed, canvas.Pixel(19, 0));
}

TEST(LauncherPictures, PlaceholderIsASmallGreyDib) {
    CDibPicture placeholder;
    EXPECT_EQ(16, placeholder.Width());
    EXPECT_EQ(16, placeholder.Height());
    EXPECT_EQ(8, placeholder.BitCount());
    EXPECT_EQ(256u, placeholder.ColourCount());
    Canvas canvas(16, 16, kBlue);
    ASSERT_TRUE(placeholder.Draw(canvas.dc(), 0, 0, 16, 16, 0, 0, 16, 16, SRCCOPY));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8, 8));   // pixel 0 is table entry 0
    // An inconsistent block is refused and the placeholder stays.
    std::vector<BYTE> tooShort(sizeof(BITMAPINFOHEADER) + 10, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(tooShort.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 100;
    header->biHeight = 100;
    header->biBitCount = 24;
    EXPECT_FALSE(placeholder.Attach(tooShort, "x.bmp"));
    EXPECT_EQ(16, placeholder.Width());
}

TEST(LauncherPictures, MonochromeBitmapPacksWithTwoColours) {
    GdiObject mono(CreateBitmap(9, 4, 1, 1, nullptr));
    std::vector<BYTE> packed = BitmapToPackedDib(static_cast<HBITMAP>(mono.get()), nullptr);
    ASSERT_FALSE(packed.empty());
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(packed.data());
    EXPECT_EQ(1, header->biBitCount);
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + 4 * 4, packed.size());
    EXPECT_TRUE(BitmapToPackedDib(nullptr, nullptr).empty());
}

TEST(LauncherTransparency, MaskIsWhiteExactlyWhereTheKeyColourIs) {
    ScratchDir dir("pic-mask");
    GdiObject picture(LoadItemPicture(WriteHalfWhite(dir, "item.bmp")));
    ASSERT_TRUE(picture);
    WindowDc screen(nullptr);
    GdiObject mask(MakeTransparencyMask(screen.get(), static_cast<HBITMAP>(picture.get()), kWhite));
    ASSERT_TRUE(mask);
    Canvas canvas(20, 10, kBlue);
    DrawTransparent(canvas.dc(), 0, 0, static_cast<HBITMAP>(mask.get()), nullptr);
    EXPECT_EQ(100, canvas.Count(kWhite, 0, 0, 10, 10));
    EXPECT_EQ(100, canvas.Count(RGB(0, 0, 0), 10, 0, 20, 10));
}

TEST(LauncherTransparency, KeyColourShowsTheBackgroundThroughAndStaysSoWhenRedrawn) {
    ScratchDir dir("pic-draw");
    GdiObject picture(LoadItemPicture(WriteHalfWhite(dir, "item.bmp")));
    ASSERT_TRUE(picture);
    WindowDc screen(nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(picture.get());
    GdiObject mask(MakeTransparencyMask(screen.get(), bitmap, kWhite));
    for (int round = 0; round < 2; ++round) {
        Canvas canvas(30, 20, kBlue);
        DrawTransparent(canvas.dc(), 5, 5, bitmap, static_cast<HBITMAP>(mask.get()));
        EXPECT_EQ(100, canvas.Count(kBlue, 5, 5, 15, 15)) << "round " << round;
        EXPECT_EQ(100, canvas.Count(kRed, 15, 5, 25, 15)) << "round " << round;
        EXPECT_EQ(kBlue, canvas.Pixel(4, 4));
    }
    // Without a mask the white half is drawn white.
    Canvas plain(30, 20, kBlue);
    GdiObject fresh(LoadItemPicture(dir / "item.bmp"));
    DrawTransparent(plain.dc(), 5, 5, static_cast<HBITMAP>(fresh.get()), nullptr);
    EXPECT_EQ(100, plain.Count(kWhite, 5, 5, 15, 15));
}

}  // namespace
