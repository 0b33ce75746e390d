// The menu's arithmetic: column boxes, placement in a box, keyboard movement, colours, pictures.
#include "launcher/menu_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::vector<int> Tops(const std::vector<Rect>& boxes) {
    std::vector<int> tops;
    for (const Rect& r : boxes) tops.push_back(r.top);
    return tops;
}

TEST(LauncherColumn, SpreadsItemsOverTheMenuBox) {
    MenuSettings s;   // box 50..400 by 130..310
    struct Case { std::vector<int> heights; std::vector<int> tops; } cases[] = {
        {{20, 20, 20}, {130, 210, 290}},          // gap (180 - 60) / 2
        {{20, 20}, {130, 150}},                   // two items: no gap
        {{20}, {130}},
        {{100, 100, 100}, {130, 170, 210}},       // higher than the box: gap -60, overlapping
        {{20, 20, 20, 20}, {130, 183, 236, 289}}, // (180 - 80) / 3 truncates to 33
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<Rect> boxes = ColumnBoxes(c.heights, s);
        EXPECT_EQ(c.tops, Tops(boxes)) << c.heights.size() << " items";
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(50, boxes[i].left);
            EXPECT_EQ(400, boxes[i].right);
            EXPECT_EQ(c.heights[i], boxes[i].Height());
        }
    }
}

TEST(LauncherColumn, NegativeGapTruncatesTowardZero) {
    MenuSettings s;
    s.yStart = 0;
    s.yEnd = 10;
    // (10 - 45) / 2 = -17 (not -18)
    EXPECT_EQ((std::vector<int>{0, -2, -4}), Tops(ColumnBoxes({15, 15, 15}, s)));
}

TEST(LauncherColumn, ExtremeSettingsStayInRange) {
    MenuSettings s;
    s.yStart = INT_MIN;
    s.yEnd = INT_MAX;
    s.xStart = INT_MAX;
    s.xEnd = INT_MIN;
    std::vector<Rect> boxes = ColumnBoxes({INT_MAX, INT_MAX, INT_MAX}, s);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(INT_MIN, boxes[0].top);
    Rect text = SizedRect(INT_MAX, 10);
    LayoutText(Rect{INT_MIN, 0, INT_MAX, 10}, 1, text);   // no overflow on any path
    LayoutText(Rect{INT_MIN, 0, INT_MAX, 10}, 2, text);
    EXPECT_TRUE(boxes[0].Height() >= 0);
}

TEST(LauncherPlacement, ItemFormatAlignsInTheBox) {
    Rect box{50, 130, 400, 150};
    struct Case { int format; int left; TextAlignment align; } cases[] = {
        {0, 50, AlignLeft}, {1, 175, AlignCentre}, {2, 300, AlignRight},
        {3, 300, AlignLeft},     // right-aligned box, text drawn from the left of its rectangle
        {-1, 300, AlignLeft},
    };
    for (const Case& c : cases) {
        Rect text = SizedRect(100, 16);
        LayoutText(box, c.format, text);
        EXPECT_EQ(c.left, text.left) << "format " << c.format;
        EXPECT_EQ(100, text.Width());
        EXPECT_EQ(132, text.top);   // (20 - 16) / 2 below the box top
        EXPECT_EQ(c.align, TextAlignmentOf(c.format));
    }
}

TEST(LauncherPlacement, TextBesideAPictureIsLeftAlignedButForFormatOne) {
    // Text items follow the format (right for 2); the text of a picture item never goes right.
    const struct { int format; TextAlignment text, besidePicture; } cases[] = {
        {0, AlignLeft, AlignLeft}, {1, AlignCentre, AlignCentre}, {2, AlignRight, AlignLeft},
        {3, AlignLeft, AlignLeft}, {-1, AlignLeft, AlignLeft},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, TextAlignmentOf(c.format)) << c.format;
        EXPECT_EQ(c.besidePicture, TextAlignmentBesidePicture(c.format)) << c.format;
    }
}

TEST(LauncherPlacement, PictureAndTextSitSideBySideEachCentred) {
    Rect picture = SizedRect(32, 32), text = SizedRect(80, 15);
    LayoutPictureAndText(Rect{50, 100, 400, 140}, 1, picture, text);
    EXPECT_EQ(50 + (350 - 112) / 2, picture.left);
    EXPECT_EQ(104, picture.top);
    EXPECT_EQ(picture.right, text.left);
    EXPECT_EQ(112, text.top);   // (40 - 15) / 2 = 12
    EXPECT_EQ(80, text.Width());
}

TEST(LauncherPlacement, EmptyBoxOrContentChangesNothing) {
    Rect text = MovedTo(SizedRect(30, 10), 7, 9);
    LayoutText(Rect{50, 100, 50, 140}, 0, text);
    EXPECT_EQ(7, text.left);
    EXPECT_TRUE(SizedRect(0, 12).Empty());
    EXPECT_TRUE(SizedRect(12, -1).Empty());
    EXPECT_FALSE(Rect{}.Contains(0, 0));
}

TEST(LauncherKeyboard, MovesAndWrapsTheHotItem) {
    EXPECT_EQ(0, NextHotIndex(-1, 3));
    EXPECT_EQ(1, NextHotIndex(0, 3));
    EXPECT_EQ(0, NextHotIndex(2, 3));
    EXPECT_EQ(0, PreviousHotIndex(-1, 3));   // Up without a hot item: the first, not the last
    EXPECT_EQ(2, PreviousHotIndex(0, 3));
    EXPECT_EQ(1, PreviousHotIndex(2, 3));
    EXPECT_EQ(-1, NextHotIndex(-1, 0));
    EXPECT_EQ(0, NextHotIndex(0, 1));
}

TEST(LauncherLook, PictureShownForEachState) {
    struct Case { ItemState state; bool up, down, sel; PictureChoice want; } cases[] = {
        {{false, true, true}, true, true, true, PictureUp},
        {{false, false, false}, false, true, true, PictureNone},
        {{true, true, true}, true, true, true, PictureDown},
        {{true, true, true}, true, false, true, PictureSel},
        {{true, true, true}, true, false, false, PictureUp},
        {{true, false, false}, true, true, true, PictureSel},
        {{true, false, false}, true, true, false, PictureUp},
        {{true, false, true}, true, false, true, PictureUp},   // held, pointer off, no down picture
        {{true, false, true}, true, true, true, PictureSel},
        // Without an Up picture nothing is drawn, whatever the state: there is no place for it.
        {{true, false, false}, false, true, true, PictureNone},
        {{true, true, true}, false, true, true, PictureNone},
        {{true, true, true}, false, false, true, PictureNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, CurrentPictureChoice(c.state, c.up, c.down, c.sel))
            << c.state.hot << c.state.pressed << c.state.captured << c.up << c.down << c.sel;
}

}  // namespace
