#include <gtest/gtest.h>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include "installer/core/format_text.h"

namespace {
std::string Format(size_t size, const char* pattern, ...) {
    std::string buffer(size + 8, '#');   // the bytes past size must stay untouched
    va_list args;
    va_start(args, pattern);
    size_t length = FormatText(&buffer[0], size, pattern, args);
    va_end(args);
    for (size_t i = size; i < buffer.size(); ++i) EXPECT_EQ('#', buffer[i]) << "written past the end at " << i;
    if (size == 0) return "";
    EXPECT_EQ(length, std::string(buffer.c_str()).size());
    return buffer.c_str();
}
}  // namespace

TEST(FormatText, ConversionsOfTheMessageTablesMatchTheCLibrary) {
    // Every conversion the string tables use, and the flags wsprintf shares with printf.
    char expected[128];
    struct { const char* pattern; long value; } numbers[] = {
        {"%d", -42}, {"%d", 0}, {"%5d", 42}, {"%-5d|", 42}, {"%05d", -42}, {"%.4d", 7}, {"%u", 3000000000L},
        {"%x", 0xBEEF}, {"%X", 0xBEEF}, {"%#x", 255}, {"%#06X", 255}, {"%i", -1},
    };
    for (auto& n : numbers) {
        snprintf(expected, sizeof expected, n.pattern, static_cast<int>(n.value));
        EXPECT_EQ(expected, Format(64, n.pattern, static_cast<int>(n.value))) << n.pattern;
    }
    EXPECT_EQ("1234K of 5678K", Format(64, "%ldK of %ldK", 1234L, 5678L));
    EXPECT_EQ("-2147483648", Format(64, "%ld", static_cast<long>(INT32_MIN)));
    EXPECT_EQ("Drive C: x", Format(64, "Drive %c: %s", 'C', "x"));
    EXPECT_EQ("[  ab][ab  ][abc]", Format(64, "[%4s][%-4s][%.3s]", "ab", "ab", "abcdef"));
    EXPECT_EQ("100% sure", Format(64, "100%% sure"));
    EXPECT_EQ("(null)", Format(64, "%s", static_cast<const char*>(nullptr)));
}

TEST(FormatText, SizesCutTheArgumentAsWindowsDoes) {
    EXPECT_EQ("-1", Format(64, "%hd", 0xFFFF));
    EXPECT_EQ("65535", Format(64, "%hu", 0x1FFFF));
    EXPECT_EQ("-9000000000", Format(64, "%I64d", static_cast<int64_t>(-9000000000LL)));
    EXPECT_EQ("FFFFFFFFFFFFFFFF", Format(64, "%I64X", static_cast<uint64_t>(UINT64_MAX)));
}

TEST(FormatText, LongResultsAreCutAndTerminatedNeverOverflowing) {
    std::string longText(2000, 'p');
    std::string cut = Format(512, "The %s end", longText.c_str());
    EXPECT_EQ(511u, cut.size());
    EXPECT_EQ("The ppp", cut.substr(0, 7));
    EXPECT_EQ("12", Format(3, "%d", 12345));
    EXPECT_EQ("", Format(1, "%s", "abc"));
    EXPECT_EQ("", Format(0, "%s", "abc"));
    // Padding wider than the buffer is cut too.
    EXPECT_EQ(std::string(15, ' '), Format(16, "%99999d", 5));
}

TEST(FormatText, OddPatternsStayReadable) {
    EXPECT_EQ("50", Format(64, "50%"));
    EXPECT_EQ("a q b", Format(64, "a %q b"));
    EXPECT_EQ("", Format(64, nullptr));
}
