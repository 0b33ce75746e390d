#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/core/path_text.h"
#include "installer/core/strbuf.h"

TEST(StrBuf, EmptyStringsShareOneNeverFreedText) {
    StrBuf a, b(nullptr), c("");
    EXPECT_EQ(a.c_str(), b.c_str());
    EXPECT_EQ(a.c_str(), c.c_str());
    EXPECT_EQ(0, a.Capacity());
    StrBuf d("x");
    d.Empty();
    EXPECT_EQ(a.c_str(), d.c_str());
}

TEST(StrBuf, PiecesClampTheirCounts) {
    StrBuf s("abcdef");
    EXPECT_EQ(std::string("abc"), s.Left(3).c_str());
    EXPECT_EQ(std::string("abcdef"), s.Left(99).c_str());
    EXPECT_EQ(std::string("ef"), s.Right(2).c_str());
    EXPECT_EQ(std::string("abcdef"), s.Right(99).c_str());
    EXPECT_EQ(std::string("cd"), s.Mid(2, 2).c_str());
    EXPECT_EQ(std::string("cdef"), s.Mid(2).c_str());
    EXPECT_TRUE(s.Mid(6).IsEmpty());
    EXPECT_TRUE(s.Mid(50, 3).IsEmpty());
    EXPECT_EQ(std::string("ef"), s.Mid(4, 99).c_str());
}

TEST(StrBuf, SearchReturnsMinusOneWhenAbsent) {
    StrBuf s("a\\b\\c");
    EXPECT_EQ(1, s.Find('\\'));
    EXPECT_EQ(3, s.ReverseFind('\\'));
    EXPECT_EQ(-1, s.Find('x'));
    EXPECT_EQ(-1, s.ReverseFind('x'));
    EXPECT_EQ(2, s.Find("b\\"));
    EXPECT_EQ(-1, s.Find("B"));   // case-sensitive
    EXPECT_EQ(-1, StrBuf().Find('a'));
}

TEST(StrBuf, TrimmingRemovesEveryKindOfWhiteSpace) {
    StrBuf s(" \t\r\n\v\fword \t\r\n\v\f");
    s.Trim();
    EXPECT_EQ(std::string("word"), s.c_str());
    StrBuf spaces("     ");
    spaces.Trim();
    EXPECT_TRUE(spaces.IsEmpty());
    EXPECT_EQ(0, spaces.Length());
}

TEST(StrBuf, CutFrontReturnsWhatItRemoves) {
    StrBuf s("hello world");
    EXPECT_EQ(std::string("hello"), s.CutFront(5).c_str());
    EXPECT_EQ(std::string(" world"), s.c_str());
    EXPECT_EQ(std::string(" world"), s.CutFront(100).c_str());
    EXPECT_TRUE(s.IsEmpty());
}

TEST(StrBuf, AssignmentReusesABufferThatIsLargeEnough) {
    StrBuf s("a fairly long piece of text");
    const char* before = s.c_str();
    s = "short";
    EXPECT_EQ(before, s.c_str());
    EXPECT_EQ(5, s.Length());
    s = s.c_str() + 1;   // from inside itself
    EXPECT_EQ(std::string("hort"), s.c_str());
}

TEST(StrBuf, AppendingGrowsAndCopiesDeeply) {
    StrBuf a("abc");
    StrBuf b(a);
    a += "def";
    a += 'g';
    a += b;
    EXPECT_EQ(std::string("abcdefgabc"), a.c_str());
    EXPECT_EQ(std::string("abc"), b.c_str());
    a += a.c_str();   // appending its own text
    EXPECT_EQ(std::string("abcdefgabcabcdefgabc"), a.c_str());
    EXPECT_EQ(std::string("x-y"), (StrBuf("x") + "-" + StrBuf("y")).c_str());
}

TEST(StrBuf, BufferForSystemCallsEndsAtTheFirstNul) {
    StrBuf s;
    char* buffer = s.GetBuffer(10);
    ASSERT_NE(nullptr, buffer);
    buffer[0] = 'o'; buffer[1] = 'k'; buffer[2] = 0; buffer[3] = 'x';
    s.ReleaseBuffer();
    EXPECT_EQ(2, s.Length());
    EXPECT_GE(s.Capacity(), 10);
}

// Texts of up to 15 bytes live inside the object: every way of building, cutting and
// growing one must give the same text across that limit.
TEST(StrBuf, TextsAcrossTheInsideLimitBehaveAlike) {
    for (int n = 0; n <= 40; ++n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += static_cast<char>('a' + i % 26);
        StrBuf built;
        for (char c : text) built += c;
        StrBuf assigned(text.c_str());
        StrBuf piecewise;
        piecewise += text.substr(0, n / 2).c_str();
        piecewise += text.substr(n / 2).c_str();
        for (const StrBuf* s : {&built, &assigned, &piecewise}) {
            ASSERT_EQ(text, s->c_str()) << n;
            ASSERT_EQ(n, s->Length());
            ASSERT_GE(s->Capacity(), n);
        }
        StrBuf moved(std::move(assigned));
        EXPECT_EQ(text, moved.c_str());
        EXPECT_TRUE(assigned.IsEmpty());
        EXPECT_EQ(StrBuf().c_str(), assigned.c_str());   // the shared empty text again
        StrBuf target("something else entirely, and long");
        target = std::move(moved);
        EXPECT_EQ(text, target.c_str());
        EXPECT_TRUE(moved.IsEmpty());
        StrBuf copy(target);
        copy += "!";
        EXPECT_EQ(text, target.c_str());
        EXPECT_EQ(text + "!", copy.c_str());
        std::string padded = " \t" + text + "  ";
        StrBuf trimmed(padded.c_str());
        trimmed.Trim();
        EXPECT_EQ(text, trimmed.c_str());
        EXPECT_EQ(n, trimmed.Length());
        EXPECT_EQ(text.substr(0, n / 3), built.Left(n / 3).c_str());
        EXPECT_EQ(text.substr(n / 3), built.Mid(n / 3).c_str());
        StrBuf self(text.c_str());
        self += self.c_str();
        EXPECT_EQ(text + text, self.c_str());
        self = self.c_str() + n;   // from inside itself
        EXPECT_EQ(text, self.c_str());
        if (n > 0) {
            EXPECT_EQ(text[n - 1], self[n - 1]);
            EXPECT_EQ(n - 1, self.ReverseFind(text[n - 1]));
        }
    }
}

TEST(StrBuf, BuffersForSystemCallsAtTheInsideLimit) {
    for (int room : {0, 1, 14, 15, 16, 30}) {
        StrBuf s;
        char* buffer = s.GetBuffer(room);
        ASSERT_NE(nullptr, buffer) << room;
        ASSERT_NE(StrBuf().c_str(), buffer);   // never the shared empty text
        for (int i = 0; i < room; ++i) buffer[i] = 'x';
        buffer[room] = 0;
        s.ReleaseBuffer();
        EXPECT_EQ(std::string(static_cast<size_t>(room), 'x'), s.c_str());
        EXPECT_EQ(room, s.Length());
        s.ReleaseBuffer(room / 2);
        EXPECT_EQ(std::string(static_cast<size_t>(room / 2), 'x'), s.c_str());
        EXPECT_EQ(room / 2, s.Length());
    }
    // A buffer filled to its capacity without a NUL ends at the capacity.
    StrBuf full;
    char* buffer = full.GetBuffer(15);
    int capacity = full.Capacity();
    for (int i = 0; i <= capacity; ++i) buffer[i] = 'y';
    full.ReleaseBuffer();
    EXPECT_EQ(std::string(static_cast<size_t>(capacity), 'y'), full.c_str());
}

TEST(StrBuf, ALongTextKeepsItsBlockWhenMovedAndAShortOneTravels) {
    StrBuf longText("a text too long to live inside the object");
    const char* block = longText.c_str();
    StrBuf taken(std::move(longText));
#ifndef STRBUF_CHECK_MOVES   // the checking build relocates every move on purpose
    EXPECT_EQ(block, taken.c_str());
#endif
    (void)block;
    EXPECT_EQ(std::string("a text too long to live inside the object"), taken.c_str());
    std::vector<StrBuf> shorts;
    for (int i = 0; i < 100; ++i) shorts.push_back(StrBuf(std::to_string(i).c_str()));
    for (int i = 0; i < 100; ++i) EXPECT_EQ(std::to_string(i), shorts[static_cast<size_t>(i)].c_str());
}

TEST(StrBuf, FormatIsNeverCut) {
    std::string huge(100000, 'q');
    StrBuf s;
    ASSERT_TRUE(s.Format("[%s|%d|%5.2f|%-4s|%04x|%I64d|%*d]", huge.c_str(), -42, 3.14159, "ab", 255,
                         static_cast<long long>(1) << 40, 6, 7));
    std::string expected = "[" + huge + "|-42| 3.14|ab  |00ff|1099511627776|     7]";
    EXPECT_EQ(expected, s.c_str());
    EXPECT_EQ(static_cast<int>(expected.size()), s.Length());
}

TEST(StrBuf, DecimalReaderTakesSignAndLeadingDigitsOnly) {
    EXPECT_EQ(12, ParseDecimal("12abc"));
    EXPECT_EQ(-7, ParseDecimal("-7"));
    EXPECT_EQ(5, ParseDecimal("+5"));
    EXPECT_EQ(0, ParseDecimal("x12"));
    EXPECT_EQ(0, ParseDecimal(""));
    EXPECT_EQ(0x7fffffff, ParseDecimal("99999999999999999999"));   // saturates, no overflow
}

TEST(Paths, AppendPathJoinsWithExactlyOneBackslash) {
    EXPECT_EQ(std::string("C:\\a.txt"), JoinPath("C:\\", "a.txt").c_str());
    EXPECT_EQ(std::string("C:\\dir\\a.txt"), JoinPath("C:\\dir", "a.txt").c_str());
    EXPECT_EQ(std::string("C:\\x"), DirectoryPart("C:\\x\\setup.exe").c_str());
    EXPECT_TRUE(DirectoryPart("setup.exe").IsEmpty());
}

TEST(Paths, DirectoryOfAProgramAtARootIsTheRoot) {
    EXPECT_EQ(std::string("D:\\"), DirectoryPart("D:\\setup.exe").c_str());
    EXPECT_EQ(std::string("\\"), DirectoryPart("\\setup.exe").c_str());
    EXPECT_EQ(std::string("D:\\Driver"), DirectoryPart("D:\\Driver\\Instally.exe").c_str());
    EXPECT_EQ(std::string("D:\\Driver.exe"), JoinPath(DirectoryPart("D:\\setup.exe"), "Driver.exe").c_str());
}

TEST(Paths, LastComponentIsTheNameAfterTheLastBackslash) {
    EXPECT_EQ(std::string("Startup"), LastPathComponent("C:\\Menu\\Programs\\Startup").c_str());
    EXPECT_EQ(std::string("Pen Tablet"), LastPathComponent("Pen Tablet").c_str());
    EXPECT_EQ(std::string(""), LastPathComponent("C:\\").c_str());
}
