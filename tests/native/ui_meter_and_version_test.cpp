// The meter's stored words and painted values, and the version view's texts.
#include <gtest/gtest.h>
#include <climits>
#include "installer/ui/meter_logic.h"
#include "installer/ui/version_text.h"

TEST(Meter, MulDivRoundsHalfAwayFromZeroAndFailsAsTheSystemDoes) {
    struct Case { int a, b, c, expected; } cases[] = {
        {50, 100, 200, 25}, {1, 100, 3, 33}, {2, 100, 3, 67}, {1, 1, 2, 1}, {-1, 1, 2, -1},
        {3, -1, 2, -2}, {7, 3, -2, -11}, {5, 5, 0, -1}, {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, MulDivRounded(c.a, c.b, c.c)) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Meter, RangeAndPositionWordsFollowTheirMessages) {
    EXPECT_EQ(100, MeterRangeFor(0));
    EXPECT_EQ(200, MeterRangeFor(200));
    EXPECT_EQ(7, MeterRangeFor(0x10007)) << "low 16 bits";
    EXPECT_EQ(0, MeterRangeFor(0x10000));
    EXPECT_EQ(50, MeterPositionFor(50, 200));
    EXPECT_EQ(200, MeterPositionFor(250, 200));
    EXPECT_EQ(200, MeterPositionFor(0x10032, 200)) << "compared before cutting to 16 bits";
    EXPECT_EQ(200, MeterPositionFor(static_cast<uintptr_t>(-1), 200));
}

TEST(Meter, PaintShowsTheRoundedPercentageOverTheFilledPart) {
    MeterPaint p = MeterPaintFor(200, 50, 200, 20, 16);
    EXPECT_EQ(50, p.fillWidth) << "left quarter";
    EXPECT_EQ("25%", p.text);
    EXPECT_EQ(100, p.textX);
    EXPECT_EQ(2, p.textY);

    p = MeterPaintFor(3, 2, 100, 21, 16);
    EXPECT_EQ("67%", p.text);
    EXPECT_EQ(67, p.fillWidth);

    p = MeterPaintFor(0, 0, 100, 10, 16);
    EXPECT_EQ("0%", p.text) << "a range of 0 paints an empty bar";
    EXPECT_EQ(0, p.fillWidth);
    EXPECT_EQ(-3, p.textY) << "halves truncate toward zero";

    p = MeterPaintFor(50, 100, 100, 10, 8);   // range lowered below the position
    EXPECT_EQ("200%", p.text);
    EXPECT_EQ(200, p.fillWidth);
}

TEST(VersionText, FlagsAreListedInBitOrder) {
    EXPECT_EQ("No flags", FileFlagsText(0));
    EXPECT_EQ("Debug Pre-release ", FileFlagsText(0x03));
    EXPECT_EQ("Patched Special ", FileFlagsText(0x24));
    EXPECT_EQ("Debug Pre-release Patched Private Info Special ", FileFlagsText(0x3F));
    EXPECT_EQ("", FileFlagsText(0x40)) << "flags beyond the six known give no text, not \"No flags\"";
}

TEST(VersionText, OperatingSystems) {
    struct Case { uint32_t os; const char* text; } cases[] = {
        {0x10000, "DOS"}, {0x10001, "Windows 3.0 or later under DOS"}, {0x10004, "Windows-32 under DOS"},
        {0x20000, "OS/2-16"}, {0x20002, "OS/2-16 PM-16"}, {0x30000, "OS/2-32"}, {0x30003, "OS/2-32 PM-32"},
        {0x40000, "Windows NT"}, {0x40004, "Windows-32 under Windows-NT"}, {0x4, "Unknown"}, {0, "Unknown"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, OperatingSystemText(c.os)) << std::hex << c.os;
}

TEST(VersionText, FileTypesWithTheirSubtypes) {
    struct Case { uint32_t type, subtype; const char* text; } cases[] = {
        {1, 0, "Application"}, {2, 0, "Dynamic-link library"},
        {3, 1, "Device driver (Printer)"}, {3, 4, "Device driver (Display)"},
        {3, 10, "Device driver (Communication)"}, {3, 11, "Device driver (Unknown)"}, {3, 0, "Device driver (Unknown)"},
        {4, 1, "Font (Raster)"}, {4, 3, "Font (TrueType)"}, {4, 9, "Font (Unknown)"},
        {5, 0x1234, "Virtual device (4660)"}, {7, 0, "Static-link library"}, {6, 0, "Unknown"}, {0, 0, "Unknown"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, FileTypeText(c.type, c.subtype)) << c.type << "/" << c.subtype;
}

TEST(VersionText, NumbersPrefixAndTabStop) {
    EXPECT_EQ("1.2.3.4", VersionNumberText(0x00010002, 0x00030004));
    EXPECT_EQ("65535.0.10.65535", VersionNumberText(0xFFFF0000, 0x000AFFFF));
    EXPECT_EQ("\\StringFileInfo\\040904b0\\", StringInfoPrefix(0x0409, 0x04B0));
    EXPECT_EQ("Company:\tZorvant", VersionLine("Company", "Zorvant"));
    EXPECT_EQ(36, VersionTabStop(60, 8));
    EXPECT_EQ(66, VersionTabStop(60, 0)) << "no parent to measure";
}
