#include <gtest/gtest.h>
#include <string>
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
