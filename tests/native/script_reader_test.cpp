#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "installer/script/script_reader.h"

namespace {
struct Collector : SectionReader {
    std::vector<std::string> lines;
    void KeyLine(const StrBuf& line) override { lines.push_back(line.c_str()); }
};

std::vector<std::string> Lines(const char* text) {
    std::vector<std::string> out;
    ScriptText t(text);
    TextCursor c(t);
    while (!c.AtEnd()) out.push_back(ReadLine(c).c_str());
    return out;
}

std::vector<std::string> Section(const char* text, const char* name, const char* suffix = "") {
    Collector c;
    ParseSection(ScriptText(text), name, 4, c, suffix);
    return c.lines;
}

std::vector<std::string> Fields(const char* value, char separator, bool trim = true) {
    StrBuf line(value);
    std::vector<std::string> out;
    while (!line.IsEmpty()) out.push_back(NextField(line, separator, trim).c_str());
    return out;
}

// Included files held in memory.
struct MemoryFiles : IncludeFiles {
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;
    void WithFile(const char* path, const std::function<void(const ScriptText&)>& use) override {
        asked.push_back(path);
        auto it = files.find(path);
        if (it != files.end()) use(ScriptText(it->second.data(), it->second.data() + it->second.size()));
    }
};
}  // namespace

TEST(ScriptLines, OnlyCarriageReturnEndsALine) {
    EXPECT_EQ((std::vector<std::string>{"a", "b\nc", "", "last"}), Lines("a\r\nb\nc\r\r\nlast"));
    EXPECT_EQ((std::vector<std::string>{"x"}), Lines("x\r\n"));
    EXPECT_TRUE(Lines("").empty());
}

TEST(ScriptLines, TextEndsAtItsRangeEvenWithoutNul) {
    const char bytes[] = {'a', '\r', 'b', 'c'};   // no terminator: a mapping's view ends like this
    ScriptText t(bytes, bytes + sizeof bytes);
    TextCursor c(t);
    EXPECT_EQ(std::string("a"), ReadLine(c).c_str());
    EXPECT_EQ(std::string("bc"), ReadLine(c).c_str());
    EXPECT_TRUE(c.AtEnd());
}

TEST(ScriptHeaders, HeadersAreRecognisedByShapeAndNameIgnoringCase) {
    EXPECT_TRUE(IsSectionHeader("[ Disks ] ; comment", "Disks"));
    EXPECT_TRUE(IsSectionHeader("[disks]", "Disks"));
    EXPECT_FALSE(IsSectionHeader("[Disks]", "DstDirs"));
    EXPECT_FALSE(IsSectionHeader("; [Disks]"));
    EXPECT_FALSE(IsSectionHeader("key=[x]y"));
    EXPECT_FALSE(IsSectionHeader("[Disks"));
    EXPECT_FALSE(IsSectionHeader("["));
}

TEST(ScriptSections, CommentsHeadersAndEndDecideWhatIsRead) {
    const char* text =
        "1=before any header\r\n"
        "[Disks]\r\n"
        "1=one\r\n"
        "   ; [Disks] a comment, not a header\r\n"
        "\r\n"
        "[Other]\r\n"
        "9=other\r\n"
        "[disks]\r\n"
        "2=two ; not a comment\r\n"
        "[End]\r\n"
        "[Disks]\r\n"
        "3=after end";   // no line end on the last line
    EXPECT_EQ((std::vector<std::string>{"1=one", "2=two ; not a comment"}), Section(text, "Disks"));
    EXPECT_EQ((std::vector<std::string>{"x=y"}), Section("[Disks]\r\nx=y", "Disks"));
}

TEST(ScriptSections, AllVariantComesFirstThenLanguageOrPlain) {
    const char* text =
        "[SetupApps]\r\nplain\r\n"
        "[SetupApps.deu]\r\ngerman\r\n"
        "[SetupApps.all]\r\nall\r\n"
        "[End]\r\n[SetupApps.fra]\r\nfrench after end\r\n";
    EXPECT_EQ((std::vector<std::string>{"all", "german"}), Section(text, "SetupApps", ".deu"));
    EXPECT_EQ((std::vector<std::string>{"all", "plain"}), Section(text, "SetupApps", ""));
    EXPECT_EQ((std::vector<std::string>{"all", "plain"}), Section(text, "SetupApps", ".ell"));
    // The variant past "[End]" is not seen by the language scan either.
    EXPECT_EQ((std::vector<std::string>{"all", "plain"}), Section(text, "SetupApps", ".fra"));
}

TEST(ScriptFields, SeparatorsAndQuotes) {
    EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), Fields("a,,b", ','));
    EXPECT_EQ((std::vector<std::string>{"abcd", "e"}), Fields("\"ab\"cd,e", ','));
    EXPECT_EQ((std::vector<std::string>{"C:\\Program Files\\x", "Y"}), Fields("\"C:\\Program Files\\x\",Y", ','));
    EXPECT_EQ((std::vector<std::string>{" a,b "}), Fields("\" a,b \"", ','));      // quoted: not trimmed
    EXPECT_EQ((std::vector<std::string>{"x ", " y "}), Fields("x , y ", ',', false));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Fields("1-2-3", '-'));
    EXPECT_EQ((std::vector<std::string>{"key", "v", "w"}), Fields("key=v=w", '='));
}

TEST(ScriptFields, AnUnclosedQuoteNeverReadsPastTheLine) {
    StrBuf line("\"abc,def");
    StrBuf field = NextField(line, ',', true);
    EXPECT_EQ(std::string("\"abc"), field.c_str());
    EXPECT_EQ(std::string("def"), line.c_str());
    StrBuf lone("\"");
    EXPECT_EQ(std::string("\""), NextField(lone, ',', true).c_str());
    EXPECT_TRUE(lone.IsEmpty());
}

TEST(ScriptFields, QuotedFieldWithoutLaterSeparatorDropsTheTail) {
    StrBuf line("\"abc\"def");
    EXPECT_EQ(std::string("abc"), NextField(line, ',', true).c_str());
    EXPECT_TRUE(line.IsEmpty());
    StrBuf line3("x\"abc\" tail");
    EXPECT_EQ(std::string("abc"), NextField(line3, ',', true).c_str());   // text after the quote, no separator: dropped
    EXPECT_TRUE(line3.IsEmpty());
}

TEST(ScriptFields, ValueReaders) {
    StrBuf line("yes, No ,12x, -4,1,2,3,300,256,-1");
    EXPECT_TRUE(ReadYesNo(line));
    EXPECT_FALSE(ReadYesNo(line));
    EXPECT_EQ(12, ReadNumber(line));
    EXPECT_EQ(-4, ReadNumber(line));
    EXPECT_EQ(1u + 2u * 256 + 3u * 65536, ReadColour(line));
    EXPECT_EQ((300u & 0xFF) + (256u & 0xFF) * 256 + (0xFFFFFFFFu & 0xFF) * 65536, ReadColour(line));
    StrBuf empty;
    EXPECT_FALSE(ReadYesNo(empty));
    EXPECT_EQ(0, ReadNumber(empty));
    EXPECT_EQ(0u, ReadColour(empty));
}

TEST(ScriptIncludes, SameTextIncludeReadsInPlace) {
    const char* text =
        "[Disks]\r\n1=a\r\n*include=Other\r\n3=c\r\n"
        "[Other]\r\n2=b\r\n[Other.all]\r\nnot=included\r\n[End]\r\n";
    Collector sink;
    IncludeFollower::Context context;
    IncludeFollower follower(ScriptText(text), 4, sink, context);
    ParseSection(ScriptText(text), "Disks", 4, follower, "");
    EXPECT_EQ((std::vector<std::string>{"1=a", "2=b", "3=c"}), sink.lines);
}

TEST(ScriptIncludes, FileIncludeUsesTheSourceDirectoryAndVariants) {
    MemoryFiles files;
    files.files["D:\\medium\\more.inf"] = "[Extra.all]\r\nall\r\n[Extra.deu]\r\ngerman\r\n[Extra]\r\nplain\r\n";
    const char* text = "[Disks]\r\n*INCLUDE = Extra , more.inf\r\n*include=Extra,missing.inf\r\nlast\r\n";
    IncludeFollower::Context context;
    context.sourceDir = "D:\\medium";
    context.files = &files;
    context.languageSuffix = ".deu";
    Collector sink;
    IncludeFollower follower(ScriptText(text), 4, sink, context);
    ReadSectionPass(ScriptText(text), "Disks", 4, follower);
    EXPECT_EQ((std::vector<std::string>{"all", "german", "last"}), sink.lines);
    EXPECT_EQ((std::vector<std::string>{"D:\\medium\\more.inf", "D:\\medium\\missing.inf"}), files.asked);

    // Component sections read an included file's section by its plain name only.
    context.plainSectionInFiles = true;
    Collector plain;
    IncludeFollower plainFollower(ScriptText(text), 4, plain, context);
    ReadSectionPass(ScriptText(text), "Disks", 4, plainFollower);
    EXPECT_EQ((std::vector<std::string>{"plain", "last"}), plain.lines);
}

TEST(ScriptIncludes, SelfInclusionStopsAtTheDepthBound) {
    const char* text = "[Disks]\r\nline\r\n*include=Disks\r\n";
    Collector sink;
    IncludeFollower::Context context;
    IncludeFollower follower(ScriptText(text), 4, sink, context);
    ReadSectionPass(ScriptText(text), "Disks", 4, follower);
    EXPECT_EQ(static_cast<size_t>(kMaxIncludeDepth + 1), sink.lines.size());
}

TEST(ScriptWriting, HeadersCarryTheLanguageSuffix) {
    EXPECT_EQ(std::string("[App.deu]"), SectionHeaderLine("App", ".deu").c_str());
    EXPECT_EQ(std::string("[Disks]"), SectionHeaderLine("Disks", "").c_str());
}

TEST(ScriptIncludes, SectionsIncludingEachOtherManyTimesStayBounded) {
    // Every level includes the next one four times: without a bound on the whole
    // reading this is 4^8 passes.
    std::string text = "[Disks]\r\n";
    for (int i = 0; i < 4; ++i) text += "*include=Disks\r\n";
    text += "line\r\n";
    Collector sink;
    IncludeFollower::Context context;
    IncludeFollower follower(ScriptText(text.c_str()), 4, sink, context);
    ReadSectionPass(ScriptText(text.c_str()), "Disks", 4, follower);
    EXPECT_EQ(static_cast<size_t>(kMaxIncludePasses + 1), sink.lines.size());
}
