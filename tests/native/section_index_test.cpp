// Reading passes go through the text's header index. Held against a plain walk over every
// line (the way a reader without an index reads), on generated texts whose lines are headers
// of a few names in varied spellings, "[End]", comments, blanks and key lines.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "installer/script/script_reader.h"

namespace {
using Lines = std::vector<std::string>;

struct Collector : SectionReader {
    Lines lines;
    void KeyLine(const StrBuf& line) override { lines.push_back(line.c_str()); }
};

// Every line in turn: a header switches the section, "[End]" stops the reading.
Lines WalkEveryLine(const ScriptText& text, const char* name) {
    Lines lines;
    TextCursor cursor(text);
    bool inside = false;
    while (!cursor.AtEnd()) {
        StrBuf line = ReadLine(cursor);
        line.Trim();
        if (line.IsEmpty() || line[0] == ';') continue;
        if (IsSectionHeader(line)) {
            if (IsSectionHeader(line, "End")) break;
            inside = IsSectionHeader(line, name);
            continue;
        }
        if (inside) lines.push_back(line.c_str());
    }
    return lines;
}

Lines ReadIndexed(const ScriptText& text, const char* name) {
    Collector c;
    ReadSectionPass(text, name, 4, c);
    return c.lines;
}

std::string GeneratedText(std::mt19937& random) {
    static const char* const kLines[] = {
        "[A]", "[a]", " [ A ] ", "[A] ; note", "[B]", "[b.all]", "[B.ALL]", "[AB]", "[A]x", "[End]", " [end] ",
        ";[A]", "key=1", "[unclosed", "x=[B]", "", "   ", "\tvalue , two", "[]", "[ ]", "\x81\x5C=dbcs",
    };
    const int kinds = sizeof kLines / sizeof kLines[0];
    std::string text;
    int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
        const char* line = kLines[random() % kinds];
        // Line ends as scripts hold them: CR LF, a lone CR, and the last line without one.
        text += line;
        if (i + 1 < count || random() % 2) text += (random() % 4) ? "\r\n" : "\r";
        if (random() % 7 == 0) text += std::to_string(i) + "=line\r\n";
    }
    return text;
}
}  // namespace

TEST(SectionIndex, EveryPassReadsWhatAWalkOverEveryLineReads) {
    std::mt19937 random(12345);
    const char* const names[] = {"A", "a", " A ", "B.all", "AB", "End", "", "missing", "\x81\x5C"};
    for (int round = 0; round < 3000; ++round) {
        std::string text = GeneratedText(random);
        ScriptText script(text.data(), text.data() + text.size());
        for (const char* name : names) {
            ASSERT_EQ(WalkEveryLine(script, name), ReadIndexed(script, name)) << "text:\n" << text << "\nname: " << name;
            StrBuf line = StrBuf("[") + name + "]";
            bool walkFinds = false;
            TextCursor cursor(script);
            while (!cursor.AtEnd()) {
                StrBuf l = ReadLine(cursor);
                l.Trim();
                if (IsSectionHeader(l, "End")) break;
                if (IsSectionHeader(l, name)) walkFinds = true;
            }
            ASSERT_EQ(walkFinds, HasSectionHeader(script, name)) << text;
        }
    }
}

TEST(SectionIndex, CopiesOfATextShareItsIndexAndIncludesOfTheSameTextStillRead) {
    const char* text = "[Disks]\r\n1=one\r\n*include=More\r\n[More]\r\n2=two\r\n*include=Disks\r\n[End]\r\n[More]\r\nno";
    ScriptText script(text);
    const SectionIndex* first = &script.Index();
    ScriptText copy = script;
    EXPECT_EQ(first, &copy.Index());
    // A section that includes itself ends at the include depth, reading its lines each time.
    Collector c;
    IncludeFollower::Context context;
    IncludeFollower follower(script, 4, c, context);
    ReadSectionPass(script, "Disks", 4, follower);
    ASSERT_GE(c.lines.size(), 4u);
    EXPECT_EQ("1=one", c.lines[0]);
    EXPECT_EQ("2=two", c.lines[1]);
    for (const std::string& line : c.lines) EXPECT_NE("no", line);
}
