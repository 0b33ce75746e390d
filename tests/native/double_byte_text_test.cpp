// Script texts, paths and names of Japanese, Chinese and Korean systems through every reader
// that walks, cuts, joins or compares them.
#include <gtest/gtest.h>
#include <string>
#include "installer/core/code_page.h"
#include "installer/run/command_line.h"
#include "installer/core/script_candidates.h"
#include "installer/device/device_rules.h"
#include "installer/files/ini_entry.h"
#include "installer/script/script_reader.h"
#include "installer/script/script_tables.h"
#include "installer/ui/background_layout.h"
#include "launcher/profile_text.h"

namespace {
// Characters of each page: trail byte "\", trail byte "]", trail byte "A" (and the same lead
// byte with trail "a", another character), trail byte "@" (none in 949), and a plain one.
struct Page {
    int codePage;
    const char* backslashTrail;
    const char* bracketTrail;
    const char* letterTrail;
    const char* atTrail;
};
const Page kPages[] = {
    {932, "\x95\x5c", "\x83\x5d", "\x83\x41", "\x81\x40"},   // 表, ゾ, ア, the ideographic space
    {936, "\xd5\x5c", "\xd5\x5d", "\x81\x41", "\xa1\x40"},
    {949, "\x81\x5c", "\x81\x5d", "\x81\x41", ""},
    {950, "\xa5\x5c", "\xa5\x5d", "\xa4\x41", "\xa1\x40"},   // 功 ..., the ideographic space
};

class DoubleByteText : public ::testing::TestWithParam<Page> {
protected:
    void SetUp() override { ASSERT_TRUE(UseCodePage(GetParam().codePage)); }
    void TearDown() override { UseCodePage(1252); }
    std::string Slash() const { return GetParam().backslashTrail; }
    std::string LowerTrailTwin() const {
        std::string twin = GetParam().letterTrail;
        twin[1] = 'a';
        return twin;
    }
};

std::string Str(const StrBuf& s) { return s.c_str(); }
}  // namespace

TEST_P(DoubleByteText, FieldsAreCutAtRealSeparatorsOnly) {
    const std::string ch = Slash();
    StrBuf path(("C:\\Program Files\\" + ch + "\\" + ch + ch + "\\x").c_str());
    EXPECT_EQ("C:", Str(NextField(path, '\\', false)));
    EXPECT_EQ("Program Files", Str(NextField(path, '\\', false)));
    EXPECT_EQ(ch, Str(NextField(path, '\\', false)));
    EXPECT_EQ(ch + ch, Str(NextField(path, '\\', false)));
    EXPECT_EQ("x", Str(path));

    // The other separators: fields keep their characters whole, quotes still group.
    for (char separator : {',', '=', '-', ':'}) {
        std::string sep(1, separator);
        StrBuf line((" " + ch + "a " + sep + "\"" + ch + sep + ch + "\"" + ch + sep + "z").c_str());
        EXPECT_EQ(ch + "a", Str(NextField(line, separator, true))) << separator;
        EXPECT_EQ(ch + sep + ch + ch, Str(NextField(line, separator, true))) << separator;
        EXPECT_EQ("z", Str(line)) << separator;
    }
}

TEST_P(DoubleByteText, SectionHeadersEndInARealBracket) {
    const std::string bracket = GetParam().bracketTrail;
    EXPECT_FALSE(IsSectionHeader(StrBuf(("[" + bracket).c_str())));
    EXPECT_TRUE(IsSectionHeader(StrBuf(("[" + bracket + "]").c_str()), ("  " + bracket).c_str()));
    EXPECT_FALSE(IsAnySectionHeader(("[" + bracket + " ; note").c_str()));
    EXPECT_TRUE(IsAnySectionHeader(("[" + bracket + "] ; note").c_str()));

    // Names ignore the case of letters, not of a trail byte with a letter's code.
    const std::string letter = GetParam().letterTrail;
    EXPECT_TRUE(IsSectionHeader(StrBuf(("[Files" + letter + "]").c_str()), ("FILES" + letter).c_str()));
    EXPECT_FALSE(IsSectionHeader(StrBuf(("[Files" + letter + "]").c_str()), ("Files" + LowerTrailTwin()).c_str()));

    // A whole pass finds the section by its double-byte name and stops at the real "[End]".
    const std::string script = "[" + bracket + "\r\nnot=read\r\n[" + bracket + "]\r\nkey=" + bracket +
                               "\r\n[End" + bracket + "\r\nalso=read\r\n[End]\r\nnever=read\r\n";
    std::vector<std::string> lines;
    LineFunctionReader reader([&](const StrBuf& line) { lines.push_back(line.c_str()); });
    ReadSectionPass(ScriptText(script.c_str()), bracket.c_str(), 3, reader);
    // "[End" and a character whose trail byte is "]" is no header: a key line like any other.
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("key=" + bracket, lines[0]);
    EXPECT_EQ("[End" + bracket, lines[1]);
    EXPECT_EQ("also=read", lines[2]);
}

TEST_P(DoubleByteText, FoldersAndNamesJoinWithOneRealBackslash) {
    const std::string folder = "C:\\Kit\\" + Slash();
    DirectoryFacts facts;
    EXPECT_EQ(folder + "\\Help", Str(ResolveDirSpec("Help", folder.c_str(), "", facts)));
    EXPECT_EQ(folder + "\\Help", Str(ResolveDirSpec("Help", (folder + "\\").c_str(), "", facts)));

    EXPECT_STREQ(Slash().c_str(), FileNamePart(folder.c_str()));
    EXPECT_STREQ("", FileNamePart((folder + "\\").c_str()));
    EXPECT_TRUE(SameFileName(("D:\\" + Slash()).c_str(), folder.c_str()));
    EXPECT_FALSE(SameFileName((std::string("D:\\") + GetParam().letterTrail).c_str(), ("E:\\" + LowerTrailTwin()).c_str()));
}

TEST_P(DoubleByteText, NoCaseSearchesLeaveTrailBytesAlone) {
    const std::string letter = GetParam().letterTrail, twin = LowerTrailTwin();
    EXPECT_TRUE(ContainsNoCase(("PATH=C:\\" + letter).c_str(), ("c:\\" + letter).c_str()));
    EXPECT_FALSE(ContainsNoCase(("PATH=C:\\" + letter).c_str(), twin.c_str()));
    EXPECT_FALSE(IsSectionLineOf(("[" + letter + "]").c_str(), twin.c_str()));
    EXPECT_EQ("x" + letter + "y", Str(CutWordNoCase(("x" + letter + "y").c_str(), twin.c_str())));

    EXPECT_TRUE(ProcessNameOccursIn(("Pen" + letter + ".exe").c_str(), ("C:\\PEN" + letter + ".EXE").c_str()));
    EXPECT_FALSE(ProcessNameOccursIn((twin + ".exe").c_str(), ("C:\\" + letter + ".EXE").c_str()));

    // A switch's name must start on a character: "DEV:" after a lead byte is no switch.
    const std::string lead(1, letter[0]);
    EXPECT_FALSE(IsKnownSwitch((lead + "DEV:2").c_str()));
    EXPECT_TRUE(IsKnownSwitch((letter + "DEV:2").c_str()));
}

TEST_P(DoubleByteText, NamesSplitOnlyAtRealMarks) {
    const std::string at = GetParam().atTrail;
    if (!at.empty()) {
        std::vector<NamePiece> pieces = SplitAtTrademarks("Pen" + at + "Kit@");
        ASSERT_EQ(2u, pieces.size());
        EXPECT_EQ("Pen" + at + "Kit", pieces[0].text);
        EXPECT_TRUE(pieces[1].trademark);
    }

    const std::string bracket = GetParam().bracketTrail;
    ProfileText profile("[Items" + bracket + "]\nName=" + Slash() + Slash() + Slash() + "\n");
    EXPECT_EQ(Slash() + Slash() + Slash(), profile.String("Items" + bracket, "Name", "", 256));
    // A buffer of 6 bytes holds 5: two whole characters, never half of the third.
    EXPECT_EQ(Slash() + Slash(), profile.String("items" + bracket, "name", "", 6));
}

TEST_P(DoubleByteText, BufferCutsDropWholeCharacters) {
    // After 254 single bytes a 256-byte buffer has room for one more byte: half a character.
    std::string text(254, 'a');
    for (int i = 0; i < 4; ++i) text += Slash();
    char buffer[256];
    EXPECT_EQ(254, CopyWholeChars(buffer, sizeof buffer, text.c_str()));
    EXPECT_EQ(text.substr(0, 254), buffer);
    char path[260];
    EXPECT_EQ(258, CopyWholeChars(path, sizeof path, text.c_str()));
    EXPECT_EQ(255, CopyWholeChars(buffer, sizeof buffer, text.substr(1).c_str()));
    EXPECT_EQ(0, CopyWholeChars(buffer, 2, Slash().c_str()));
    EXPECT_STREQ("", buffer);

    // A text the system cut after a lead byte loses that byte; whole characters stay.
    std::string cut = "a" + Slash() + Slash().substr(0, 1);
    EXPECT_EQ(3, WithoutSplitChar(cut.c_str(), 4));
    EXPECT_EQ(5, WithoutSplitChar((cut + "\\").c_str(), 5));
    EXPECT_EQ(3, WithoutSplitChar(("a" + Slash()).c_str(), 3));
}

INSTANTIATE_TEST_SUITE_P(Pages, DoubleByteText, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return "cp" + std::to_string(info.param.codePage); });

TEST(DoubleByteText, TheSystemsRangesBecomeTheLeadBytes) {
    // As the system lists those of 932: two ranges, then a pair of zeros.
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0xA0, 0xA0};
    bool lead[256];
    LeadBytesFromRanges(ranges, 12, lead);
    int count = 0;
    for (bool b : lead) count += b;
    EXPECT_EQ(31 + 29, count);
    EXPECT_TRUE(lead[0x81] && lead[0x9F] && lead[0xE0] && lead[0xFC]);
    EXPECT_FALSE(lead[0x80] || lead[0xA0] || lead[0xFD]);
    UseLeadBytes(lead);
    EXPECT_FALSE(EndsWithSeparator("C:\\\x95\x5c"));
    const unsigned char none[2] = {0, 0};
    LeadBytesFromRanges(none, 2, lead);
    UseLeadBytes(lead);
    EXPECT_FALSE(HasLeadBytes());
    EXPECT_TRUE(EndsWithSeparator("C:\\\x95\x5c"));
    UseCodePage(1252);
}

TEST(DoubleByteText, SingleBytePagesCutAndFoldEveryByte) {
    UseCodePage(1252);
    EXPECT_EQ(4, WithoutSplitChar("ab\x95\x5c", 4));
    EXPECT_EQ(3, WithoutSplitChar("ab\x95", 3));
    char buffer[4];
    EXPECT_EQ(3, CopyWholeChars(buffer, sizeof buffer, "\x95\x5c\x95\x5c"));
    EXPECT_TRUE(EqualNoCase("\x83" "A", 2, "\x83" "a", 2));
    EXPECT_STREQ("", FileNamePart("C:\\Kit\x95\\"));
    EXPECT_TRUE(IsKnownSwitch("\x83" "DEV:2"));
}
