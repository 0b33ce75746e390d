#include <gtest/gtest.h>
#include <string>
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/core/strbuf.h"

namespace {
// A double-byte character of each page whose trail byte is the backslash's code, one whose
// trail byte is "]", and one whose trail byte is a capital letter.
struct PageSample {
    int codePage;
    const char* backslashTrail;
    const char* bracketTrail;
    const char* letterTrail;
};
const PageSample kPages[] = {
    {932, "\x95\x5c", "\x83\x5d", "\x83\x41"},   // 表, ゾ, ア
    {936, "\xd5\x5c", "\xd5\x5d", "\x81\x41"},
    {949, "\x81\x5c", "\x81\x5d", "\x81\x41"},
    {950, "\xa5\x5c", "\xa5\x5d", "\xa4\x41"},   // 功 ...
};

class CodePages : public ::testing::TestWithParam<PageSample> {
protected:
    void SetUp() override { ASSERT_TRUE(UseCodePage(GetParam().codePage)); }
    void TearDown() override { UseCodePage(1252); }
};
}  // namespace

TEST_P(CodePages, ATrailByteWithTheBackslashCodeIsNoSeparator) {
    const std::string ch = GetParam().backslashTrail;
    const std::string folder = "C:\\Program Files\\" + ch;
    EXPECT_FALSE(EndsWithSeparator(folder.c_str()));
    EXPECT_EQ(16, LastSeparator(folder.c_str()));

    StrBuf joined(folder.c_str());
    AppendPath(joined, "README.TXT");
    EXPECT_EQ(folder + "\\README.TXT", joined.c_str());
    EXPECT_EQ(folder, DirectoryPart(joined).c_str());

    StrBuf root((folder + "\\").c_str());
    AppendPath(root, "A");
    EXPECT_EQ(folder + "\\A", root.c_str());   // a real backslash is still seen

    StrBuf s((ch + ch + "x").c_str());
    EXPECT_EQ(-1, s.Find('\\'));
    EXPECT_EQ(-1, s.ReverseFind('\\'));
    EXPECT_EQ(4, s.Find('x'));
    EXPECT_EQ(-1, s.Find("\\"));
    EXPECT_EQ(2, s.Find(ch.c_str(), 1));   // a match must start on a character
}

TEST_P(CodePages, WalkingAndCuttingKeepCharactersWhole) {
    const std::string ch = GetParam().backslashTrail;
    const std::string text = "a" + ch + ch + "b";
    EXPECT_EQ(1, CharLength(text.c_str()));
    EXPECT_EQ(2, CharLength(text.c_str() + 1));
    EXPECT_EQ(text.c_str() + 3, NextChar(text.c_str() + 1));
    EXPECT_EQ(text.c_str() + 3, PrevChar(text.c_str(), text.c_str() + 5));
    EXPECT_EQ(text.c_str() + 1, PrevChar(text.c_str(), text.c_str() + 3));
    EXPECT_EQ(text.c_str(), PrevChar(text.c_str(), text.c_str()));
    // Cuts: at 2 bytes the first double-byte character would be split, so it is dropped.
    EXPECT_EQ(1, CharBoundaryCut(text.c_str(), 2));
    EXPECT_EQ(3, CharBoundaryCut(text.c_str(), 3));
    EXPECT_EQ(3, CharBoundaryCut(text.c_str(), 4));
    EXPECT_EQ(6, CharBoundaryCut(text.c_str(), 99));
    // A lead byte the text ends after is one character of its own.
    const std::string dangling = std::string("x") + ch[0];
    EXPECT_EQ(1, CharLength(dangling.c_str() + 1));
    EXPECT_EQ(2, CharBoundaryCut(dangling.c_str(), 2));
}

TEST_P(CodePages, CaseRulesLeaveDoubleByteCharactersAlone) {
    const std::string letter = GetParam().letterTrail;   // trail byte "A"
    std::string lowered = "Ab" + letter;
    LowerCaseInPlace(&lowered[0]);
    EXPECT_EQ("ab" + letter, lowered);
    std::string upper = "ab" + letter;
    UpperCaseInPlace(&upper[0]);
    EXPECT_EQ("AB" + letter, upper);

    std::string other = letter;
    other[1] = 'a';   // the same lead byte with trail "a": another character
    EXPECT_NE(0, CompareNoCase(letter.c_str(), other.c_str()));
    EXPECT_EQ(0, CompareNoCase(("X" + letter).c_str(), ("x" + letter).c_str()));
    EXPECT_TRUE(StrBuf(("Setup" + letter).c_str()).EqualsNoCase(("SETUP" + letter).c_str()));

    const std::string bracket = GetParam().bracketTrail;
    StrBuf header(("[" + bracket).c_str());
    EXPECT_EQ(-1, header.ReverseFind(']'));
}

INSTANTIATE_TEST_SUITE_P(DoubleBytePages, CodePages, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return "cp" + std::to_string(info.param.codePage); });

TEST(CodePage, SingleBytePagesTakeEveryByteAsOneCharacter) {
    EXPECT_FALSE(UseCodePage(1252));
    EXPECT_FALSE(HasLeadBytes());
    const std::string text = "C:\\Kit\x95\\";
    EXPECT_TRUE(EndsWithSeparator(text.c_str()));
    EXPECT_EQ(7, LastSeparator(text.c_str()));
    EXPECT_EQ(2, CharBoundaryCut("\x95\x5c\x41", 2));
    EXPECT_NE(0, CompareNoCase("\xe4", "\xc4"));   // letters above 127 compare exactly
}

TEST(CodePage, TheSystemsOwnAnswersCanBeHandedIn) {
    bool lead[256] = {};
    lead[0xF0] = true;
    lead[0] = true;   // a NUL never leads
    UseLeadBytes(lead);
    EXPECT_TRUE(HasLeadBytes());
    EXPECT_TRUE(IsLeadByte('\xF0'));
    EXPECT_FALSE(IsLeadByte('\x95'));
    EXPECT_FALSE(IsLeadByte('\0'));
    EXPECT_FALSE(EndsWithSeparator("dir\xF0\\"));
    EXPECT_TRUE(EndsWithSeparator("dir\x95\\"));
    UseCodePage(1252);
}

TEST(StrBuf, AppendsGrowGeometrically) {
    StrBuf s;
    int reallocations = 0;
    const char* last = s.c_str();
    for (int i = 0; i < 10000; ++i) {
        s += "abc";
        if (s.c_str() != last) { ++reallocations; last = s.c_str(); }
    }
    EXPECT_EQ(30000, s.Length());
    EXPECT_LT(reallocations, 40);
    StrBuf c;
    for (int i = 0; i < 1000; ++i) c += 'x';
    EXPECT_EQ(1000, c.Length());
    c.Empty();
    EXPECT_EQ(StrBuf().c_str(), c.c_str());   // still the shared empty text
}
