// Reading passes over lines outside the wanted section: they are passed over without being
// copied, so every way a line can still turn out to be a header, a comment or the end mark
// must come out as before.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/script/script_reader.h"

namespace {
struct Collector : SectionReader {
    std::vector<std::string> lines;
    void KeyLine(const StrBuf& line) override { lines.push_back(line.c_str()); }
};

std::vector<std::string> Read(const std::string& text, const char* name, const char* suffix = "") {
    Collector c;
    ParseSection(ScriptText(text.data(), text.data() + text.size()), name, 4, c, suffix);
    return c.lines;
}
using Lines = std::vector<std::string>;
}  // namespace

TEST(ScriptReadingPasses, HeadersAfterBlanksStillSwitchSections) {
    // Blanks before a header: spaces, tabs, a form feed and a lone line feed (only CR ends a line).
    EXPECT_EQ(Lines({"b1", "b2", "b3"}),
              Read("[A]\r\na\r\n \t[B]\r\nb1\r\n[A]\r\na\r\n\n[b] ; c\r\nb2\r\n\f[A]\r\na\r\n  [ B ]\r\nb3", "B"));
    EXPECT_EQ(Lines({"b"}), Read("[A]\r\n   [B]   \r\nb\r\n\t[A]\r\nnot b", "B"));
}

TEST(ScriptReadingPasses, BracketLinesThatAreNoHeadersChangeNothing) {
    // Outside the section: no effect. Inside: an ordinary key line.
    EXPECT_EQ(Lines({"b", "[x]y=1", "[unclosed=2"}),
              Read("[A]\r\n[B=not a header\r\n[A]x\r\nignored\r\n[B]\r\nb\r\n[x]y=1\r\n[unclosed=2\r\n", "B"));
    // A header cut short by its comment is still a header; a bracket after the comment is not.
    EXPECT_EQ(Lines({"b"}), Read("[A]\r\n[B];[A]\r\nb\r\n;[A]\r\n", "B"));
}

TEST(ScriptReadingPasses, EndMarkCountsOnlyAsAHeader) {
    EXPECT_EQ(Lines({"b1"}), Read("[A]\r\nkey=[End]\r\n;[End]\r\n[B]\r\nb1\r\n  [end]  \r\n[B]\r\nno", "B"));
}

TEST(ScriptReadingPasses, TheTextEndsAtNulOrItsRange) {
    std::string text("[A]\r\na\r\n[B]\r\nb\r\n", 16);
    text += std::string("\0[B]\r\nhidden\r\n", 14);
    EXPECT_EQ(Lines({"b"}), Read(text, "B"));
    // A last line without a line end, in and out of the section.
    EXPECT_EQ(Lines({"last"}), Read("[A]\r\nx\r\n[B]\r\nlast", "B"));
    EXPECT_EQ(Lines(), Read("[B]\r\n[A]\r\nlast", "B"));
}

TEST(ScriptReadingPasses, LanguageVariantFoundBehindBlanks) {
    const char* text = "[S.all]\r\nall\r\n[S]\r\nplain\r\n\t [S.deu]\r\ngerman\r\n";
    EXPECT_EQ(Lines({"all", "german"}), Read(text, "S", ".deu"));
    EXPECT_EQ(Lines({"all", "plain"}), Read(text, "S", ".fra"));
    // A variant named only inside a key line is no variant.
    EXPECT_EQ(Lines({"plain"}), Read("[S]\r\nplain\r\n[A]\r\nx=[S.deu]\r\n", "S", ".deu"));
}
