// The background window's arithmetic: gradient, bevel colours, panels, frame and placement.
#include <gtest/gtest.h>
#include <vector>
#include "installer/ui/background_layout.h"

namespace {
const Rgb kTop{128, 128, 255}, kBottom{0, 0, 55};

// Paints fills into a small grid, in order, as GDI would.
struct Grid {
    int width, height;
    std::vector<Rgb> pixels;
    Grid(int w, int h) : width(w), height(h), pixels(w * h, Rgb{1, 2, 3}) {}
    void Paint(const std::vector<Fill>& fills) {
        for (const Fill& f : fills) {
            EXPECT_FALSE(f.box.IsEmpty());
            for (int y = f.box.top; y < f.box.bottom; ++y)
                for (int x = f.box.left; x < f.box.right; ++x) {
                    ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < height) << x << "," << y;
                    pixels[y * width + x] = f.colour;
                }
        }
    }
    Rgb At(int x, int y) const { return pixels[y * width + x]; }
};
}  // namespace

TEST(Gradient, StepsRunFromTheTopColourTowardsTheBottomWithoutReachingIt) {
    std::vector<Rgb> steps = GradientSteps(kTop, kBottom, 128);
    ASSERT_EQ(128u, steps.size());
    EXPECT_EQ(kTop, steps[0]);
    EXPECT_EQ((Rgb{127, 127, 254}), steps[1]);
    EXPECT_EQ((Rgb{1, 1, 57}), steps[127]);
    // Rising and falling channels in one colour.
    EXPECT_EQ((Rgb{127, 50, 5}), GradientStep({0, 0, 0}, {255, 100, 10}, 2, 4));
    EXPECT_EQ((Rgb{128, 50, 5}), GradientStep({255, 100, 10}, {0, 0, 0}, 2, 4));
    EXPECT_TRUE(GradientSteps(kTop, kBottom, 0).empty());
    EXPECT_TRUE(GradientSteps(kTop, kBottom, -3).empty());
    EXPECT_TRUE(GradientSteps(kTop, kBottom, 0x10000).empty());
}

TEST(Gradient, BandsAreFourPixelsHighWithTheirPaletteIndex) {
    std::vector<GradientBand> bands = GradientBands(10, 128);
    ASSERT_EQ(3u, bands.size()) << "a client 10 pixels high takes 3 bands";
    EXPECT_EQ(0, bands[0].offset);
    EXPECT_EQ(8, bands[2].offset);
    EXPECT_EQ(0, bands[0].index);
    EXPECT_EQ(4 * 128 / 10, bands[1].index);
    EXPECT_EQ(8 * 128 / 10, bands[2].index);

    bands = GradientBands(768, 128);
    ASSERT_EQ(192u, bands.size());
    EXPECT_EQ(127, bands.back().index);
    for (size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(4, bands[i].offset - bands[i - 1].offset);

    for (const GradientBand& band : GradientBands(100, 0)) EXPECT_EQ(0, band.index) << "no palette: index 0";
    bands = GradientBands(200000, 0xFFFF);   // a tall window with the most steps
    EXPECT_EQ(0xFFFF * 199996ull / 200000, bands.back().index) << "the running sum does not wrap";
    EXPECT_TRUE(GradientBands(0, 128).empty());
    EXPECT_TRUE(GradientBands(-4, 128).empty());
}

TEST(Bevel, ColoursComeFromTheTwoGradientColours) {
    BevelColours c = DeriveBevelColours(kTop, kBottom);
    EXPECT_EQ((Rgb{64, 64, 155}), c.face);
    EXPECT_EQ((Rgb{32, 32, 77}), c.shadow);
    EXPECT_EQ((Rgb{128, 128, 255}), c.light) << "light is limited to 255";
}

TEST(Bevel, WindowFrameIsTwoRaisedSixFaceAndOneSunkenLine) {
    BevelColours c = DeriveBevelColours(kTop, kBottom);
    Grid grid(30, 24);
    grid.Paint(WindowFrameFills({0, 0, 30, 24}, c));
    const Rgb untouched{1, 2, 3};
    for (int x : {0, 1}) EXPECT_EQ(c.light, grid.At(x, 12)) << x;
    for (int x = 2; x < 8; ++x) EXPECT_EQ(c.face, grid.At(x, 12)) << x;
    EXPECT_EQ(c.shadow, grid.At(8, 12));
    EXPECT_EQ(untouched, grid.At(9, 12)) << "the frame is 9 pixels";
    for (int x : {29, 28}) EXPECT_EQ(c.shadow, grid.At(x, 12)) << x;
    EXPECT_EQ(c.light, grid.At(21, 12));
    for (int y : {0, 1}) EXPECT_EQ(c.light, grid.At(15, y));
    for (int y : {23, 22}) EXPECT_EQ(c.shadow, grid.At(15, y));
    EXPECT_EQ(c.shadow, grid.At(0, 23)) << "bottom line is drawn after the left column";
    EXPECT_EQ(c.shadow, grid.At(29, 0)) << "right column is drawn after the top line";
}

TEST(Bevel, PanelLayersFromTheOutsideIn) {
    BevelColours c = DeriveBevelColours(kTop, kBottom);
    Grid grid(40, 30);
    grid.Paint(PanelFills({0, 0, 40, 30}, c));
    // Left: outline, raised edge, 2 face, raised edge, sunken edge, face.
    Rgb left[] = {c.shadow, c.light, c.face, c.face, c.light, c.shadow, c.face};
    for (int x = 0; x < 7; ++x) EXPECT_EQ(left[x], grid.At(x, 15)) << "x=" << x;
    Rgb right[] = {c.shadow, c.shadow, c.face, c.face, c.shadow, c.light, c.face};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(right[i], grid.At(39 - i, 15)) << "from the right " << i;
    Rgb top[] = {c.shadow, c.light, c.face, c.face, c.light, c.shadow, c.face};
    for (int y = 0; y < 7; ++y) EXPECT_EQ(top[y], grid.At(20, y)) << "y=" << y;
}

TEST(Bevel, TinyPanelsStayInsideTheirBox) {
    BevelColours c = DeriveBevelColours(kTop, kBottom);
    for (int size = 0; size < 8; ++size) {
        Grid grid(8, 8);
        grid.Paint(PanelFills({0, 0, size, size}, c));
        grid.Paint(WindowFrameFills({0, 0, size, size}, c));
    }
}

TEST(Placement, FontHeightsComeFromTheDivisorsWithoutOverflow) {
    EXPECT_EQ(76, FontHeightFor(768, 10));
    EXPECT_EQ(25, FontHeightFor(768, 3 * 10)) << "the trademark font is a third";
    EXPECT_EQ(0, FontHeightFor(768, 0));
    EXPECT_EQ(-20, FontHeightFor(768, -20)) << "a negative divisor is a character height";
    EXPECT_EQ(-60, FontHeightFor(768, 3 * -20));
    EXPECT_EQ(0, FontHeightFor(768, 3 * static_cast<int64_t>(INT32_MAX)));
    EXPECT_EQ(INT32_MIN, FontHeightFor(768, 3 * static_cast<int64_t>(INT32_MIN)));
}

TEST(Placement, OriginIsFiveAndSixPercentOfTheClient) {
    Origin o = BackgroundOrigin(1024, 768);
    EXPECT_EQ(51, o.x);
    EXPECT_EQ(46, o.y);
    o = BackgroundOrigin(19, 16);
    EXPECT_EQ(0, o.x);
    EXPECT_EQ(0, o.y);
}

TEST(Placement, TrademarkSignsSplitTheApplicationName) {
    std::vector<NamePiece> pieces = SplitAtTrademarks("Pen@ Tablet");
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ("Pen", pieces[0].text);
    EXPECT_FALSE(pieces[0].trademark);
    EXPECT_EQ("TM  ", pieces[1].text);
    EXPECT_TRUE(pieces[1].trademark);
    EXPECT_EQ(" Tablet", pieces[2].text);

    pieces = SplitAtTrademarks("@@");
    ASSERT_EQ(2u, pieces.size());
    EXPECT_TRUE(pieces[0].trademark && pieces[1].trademark);
    EXPECT_TRUE(SplitAtTrademarks("").empty());
    ASSERT_EQ(1u, SplitAtTrademarks("Plain").size());
}

TEST(Placement, ApplicationNamePanelSurroundsTheTextByTenPixels) {
    EXPECT_EQ((Box{40, 36, 388, 100}), AppNamePanel({50, 46}, 300, 40, 4, 4));
}

TEST(Placement, LogoAreaStandsOnTheBottomMargin) {
    LogoAreaInput in;
    in.clientWidth = 1000;
    in.clientHeight = 800;           // x0 50, margin 48, bottom line 752
    in.showPicture = in.hasPicture = in.showText = true;
    in.pictureWidth = 80;
    in.pictureHeight = 64;
    in.textWidth = 200;
    in.textHeight = 30;
    in.shadowDx = 2;
    in.shadowDy = 1;
    LogoAreaLayout out = LayOutLogoArea(in);
    EXPECT_TRUE(out.drawPicture);
    EXPECT_EQ(50, out.pictureX);
    EXPECT_EQ(688, out.pictureY);
    EXPECT_EQ(150, out.textX) << "text starts a quarter of the logo's width after it";
    EXPECT_EQ(721, out.textY);
    ASSERT_TRUE(out.hasPanel);
    EXPECT_EQ((Box{40, 678, 50 + 100 + 226 + 10, 762}), out.panel);

    in.showPicture = false;          // the panel covers only the text
    out = LayOutLogoArea(in);
    EXPECT_FALSE(out.drawPicture);
    EXPECT_EQ(50, out.textX);
    EXPECT_EQ((Box{40, 752 - 31 - 10, 50 + 226 + 10, 762}), out.panel);

    in.showText = false;             // nothing to show: no panel
    out = LayOutLogoArea(in);
    EXPECT_FALSE(out.hasPanel);
}

TEST(Placement, PictureTilesCoverTheClientRowByRow) {
    std::vector<Box> tiles = PictureTiles(100, 50, 40, 30);
    ASSERT_EQ(6u, tiles.size());
    EXPECT_EQ((Box{0, 0, 40, 30}), tiles[0]);
    EXPECT_EQ((Box{80, 0, 120, 30}), tiles[2]);
    EXPECT_EQ((Box{0, 30, 40, 60}), tiles[3]);
    EXPECT_TRUE(PictureTiles(100, 50, 0, 30).empty());
}
