// The checker's own tables held to the installer's readers, and the helpers its rules
// stand on: nearest names, wildcards, quotes, suffixes and the report's forms.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "installer/registry/path_macro.h"
#include "installer/script/app_section.h"
#include "installer/script/component_keys.h"
#include "kit/checker/findings.h"
#include "kit/checker/medium.h"
#include "kit/checker/name_tables.h"
#include "kit/checker/script_layout.h"
#include "kit/checker/script_rules.h"
#include "kit/checker/source_text.h"

namespace {
// Everything the [App] reader can set, as one text.
std::string Digest(const ApplicationSettings& s) {
    std::string text;
    for (const StrBuf& line : ApplicationSectionLines(s, "U", "")) text += std::string(line.c_str()) + "\n";
    text += std::string(s.appType.c_str()) + (s.dontKeepUninstallInfo ? "D" : "d") + (s.noPMInfo ? "P" : "p") +
            s.appName.c_str() + s.caption.c_str() + s.logoBmpMaskName.c_str();
    return text;
}

std::string Digest(const ComponentKeys& k) {
    std::string text = std::to_string(k.enabled) + std::to_string(k.changeable) + std::to_string(k.spaceNeededK) +
                       std::to_string(k.restartAfterInstall) + std::to_string(k.restartAfterRemoval) +
                       std::to_string(k.deleteOemClass) + k.oemClass.c_str() + std::to_string(k.deviceType);
    for (const auto& table : k.programs)
        for (const ComponentProgram& p : table) text += p.program.c_str();
    for (const ComponentLibrary& l : k.libraries) text += l.library.c_str();
    return text;
}

// Yes/no fields take the first, numbers the second.
const char* const kValues[] = {"Y,7,7,7,7,7,7,7,Y,7,7", "7,Y,Y,7,7,7,7,7,7,7,7"};

// A key the checker calls known changes what the installer's reader gives, and a key it
// calls unknown changes nothing: the table and the reader agree.
TEST(KitCheckNames, AppKeysAreTheKeysTheAppReaderTakes) {
    for (const KnownName& key : AppKeys()) {
        bool changes = false;
        for (const char* value : kValues) {
            ApplicationSettings before, after;
            AppSectionHooks hooks;
            hooks.expandDefaultDir = [](StrBuf&) {};
            hooks.includeScript = [&](const StrBuf&) { changes = true; };
            ReadApplicationKey(after, StrBuf(key.name) + "=" + value, hooks);
            changes = changes || Digest(before) != Digest(after);
        }
        EXPECT_TRUE(changes) << key.name << " changes nothing";
    }
    for (const char* misspelt : {"DefPMGrop", "Captions", "BkColour", "Silent"}) {
        for (const char* value : kValues) {
            ApplicationSettings before, after;
            ReadApplicationKey(after, StrBuf(misspelt) + "=" + value, AppSectionHooks());
            EXPECT_EQ(Digest(before), Digest(after)) << misspelt;
        }
        EXPECT_FALSE(IsKnown(AppKeys(), misspelt)) << misspelt;
    }
}

TEST(KitCheckNames, ComponentKeysAreTheKeysTheKeyReaderTakes) {
    for (const KnownName& key : ComponentKeyNames()) {
        if (std::string(key.name) == "*include") continue;   // the section reader takes it before the key reader
        bool changes = false;
        // DefInstall and ConInsll are Y already: N shows that they are read.
        for (const char* value : {kValues[0], kValues[1], "N"}) {
            ComponentKeys before, after;
            ReadComponentKeyLine(after, StrBuf(key.name) + "=" + value);
            changes = changes || Digest(before) != Digest(after);
        }
        EXPECT_TRUE(changes) << key.name << " changes nothing";
    }
    for (const char* value : kValues) {
        ComponentKeys before, after;
        ReadComponentKeyLine(after, StrBuf("SpaceNeded=") + value);
        EXPECT_EQ(Digest(before), Digest(after));
    }
}

TEST(KitCheckNames, PathMacrosOfTheGuideAreTheFoldersTheInstallerExpands) {
    for (const KnownName& macro : PathMacroNames()) {
        bool expands = MacroFolderNamed(macro.name) != MacroFolder::Unknown;
        // "%AppPath:program%" takes an argument: the bare name is no folder.
        EXPECT_EQ(expands, std::string(macro.name) != "AppPath") << macro.name;
    }
}

TEST(KitCheckNames, NearestNameTakesSlipsButNotOtherWords) {
    std::vector<std::string> keys = NamesOf(AppKeys());
    EXPECT_EQ("DefPMGroup", NearestName("DefPMGrup", keys));
    EXPECT_EQ("UnInstall", NearestName("Uninstal", keys));
    EXPECT_EQ("SpaceNeeded", NearestName("spaceneded", NamesOf(ComponentKeyNames())));
    EXPECT_EQ("", NearestName("Colour", keys));
    EXPECT_EQ("", NearestName("DefDir", keys));   // a known name is no slip of itself
    EXPECT_EQ("", NearestName(std::string(300, 'a'), keys));
}

TEST(KitCheckNames, WildcardsMatchAsTheFolderSearchDoes) {
    EXPECT_TRUE(MatchesWildcard("README", "*.*"));
    EXPECT_TRUE(MatchesWildcard("Pen.htm", "*.HTM"));
    EXPECT_TRUE(MatchesWildcard("a1.txt", "a?.txt"));
    EXPECT_FALSE(MatchesWildcard("a12.txt", "a?.txt"));
    EXPECT_FALSE(MatchesWildcard("Pen.html", "*.htm"));
    EXPECT_TRUE(MatchesWildcard("abc", "*b*"));
    // Many stars against a long name end in time.
    EXPECT_FALSE(MatchesWildcard(std::string(200, 'a'), std::string(40, '*') + "b"));
}

TEST(KitCheckNames, QuotesPairUpWithDoubledQuotesInside) {
    EXPECT_FALSE(HasUnmatchedQuote("ProduceName=\"Case\""));
    EXPECT_FALSE(HasUnmatchedQuote("Caption=\"say \"\"hi\"\"\",1"));
    EXPECT_FALSE(HasUnmatchedQuote("Empty=\"\""));
    EXPECT_TRUE(HasUnmatchedQuote("ProduceName=\"Case"));
    EXPECT_TRUE(HasUnmatchedQuote("a=\"b\",\"c"));
}

TEST(KitCheckNames, SuffixesAreTheInstallersLanguageSuffixes) {
    EXPECT_EQ(".deu", SuffixOf("SetupApps.deu"));
    EXPECT_EQ(".all", SuffixOf("App.ALL"));
    EXPECT_EQ(".bra", SuffixOf("App.bra"));   // a full-id row of the table
    EXPECT_EQ("", SuffixOf("App.ger"));
    EXPECT_EQ("", SuffixOf("UsbFiles"));
}

TEST(KitCheckNames, MediumPathsStayOnTheMedium) {
    std::vector<std::string> parts;
    ASSERT_TRUE(SplitMediumPath("Driver\\.\\x64//ZTUSB.SY_", parts));
    EXPECT_EQ((std::vector<std::string>{"Driver", "x64", "ZTUSB.SY_"}), parts);
    EXPECT_FALSE(SplitMediumPath("Driver\\..\\..\\etc", parts));
}

TEST(KitCheckReport, ExitCodeAndFormsFollowTheWorstFinding) {
    Findings findings;
    EXPECT_EQ(0, findings.ExitCode());
    findings.Add("Driver/SetupExt.WNT", 4, "unknown-key", "\"DefPMGrup\" is no key");
    EXPECT_EQ(1, findings.ExitCode());
    findings.Add("Driver/SetupExt.WNT", 4, "unknown-key", "\"DefPMGrup\" is no key");   // kept once
    findings.Add("", 0, "no-script-for-platform", "none\tfor x64");
    EXPECT_EQ(2, findings.ExitCode());
    EXPECT_EQ(2u, findings.Count());
    std::string text = TextReport(findings);
    EXPECT_NE(text.find(".: error no-script-for-platform: none\tfor x64\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Driver/SetupExt.WNT:4: warning unknown-key: \"DefPMGrup\" is no key\n"), std::string::npos);
    EXPECT_NE(text.find("1 errors, 1 warnings"), std::string::npos);
    std::string json = JsonReport(findings);
    EXPECT_NE(json.find("\"message\": \"\\\"DefPMGrup\\\" is no key\""), std::string::npos) << json;
    EXPECT_NE(json.find("none\\u0009for x64"), std::string::npos) << json;
    EXPECT_NE(json.find("\"exit\": 2}"), std::string::npos);
}

// Lines are counted as the script reader walks them: only a carriage return ends one.
TEST(KitCheckLayout, LinesAreCountedAtCarriageReturns) {
    SourceTexts texts;
    const SourceText& text = texts.Add("s", "[App]\r\nA=1\nB=2\r\n\r\n[End]\r\n[Late]\r\n");
    ScriptLayout layout = ReadLayout(text);
    ASSERT_EQ(1u, layout.sections.size());
    ASSERT_EQ(1u, layout.sections[0].lines.size());   // "A=1\nB=2" is one line
    EXPECT_EQ(2, layout.sections[0].lines[0].line);
    EXPECT_EQ(4, layout.endLine);
    EXPECT_EQ(5, layout.firstLineAfterEnd);
}
}  // namespace

namespace {
// The medium is looked at as Windows looks at it: any case, either separator.
TEST(KitCheckMedium, NamesAreFoundInAnyCase) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / "kitcheck_medium_case";
    fs::remove_all(root);
    fs::create_directories(root / "Driver" / "x64");
    std::ofstream(root / "Driver" / "x64" / "ZTUSB.SY_") << "SZDD";
    Medium medium(root.string());
    EXPECT_EQ("Driver/x64/ZTUSB.SY_", medium.Find("driver\\X64\\ztusb.sy_"));
    EXPECT_TRUE(medium.IsFile("DRIVER/x64/ZtUsb.Sy_"));
    EXPECT_FALSE(medium.IsFile("Driver\\x64"));
    EXPECT_TRUE(medium.IsFolder("Driver\\x64"));
    EXPECT_FALSE(medium.IsFile("Driver\\x64\\ZTUSB.SYS"));
    EXPECT_EQ(4, medium.FileSize("driver\\x64\\ztusb.sy_"));
    EXPECT_EQ((std::vector<std::string>{"ZTUSB.SY_"}), medium.FilesMatching("Driver\\X64", "*.SY?"));
    fs::remove_all(root);
}

// A script stored compressed is read expanded; a cut-off one is known as damaged.
TEST(KitCheckMedium, CompressedScriptsAreExpanded) {
    // "[End]" coded as five literal bytes after the header that announces five bytes.
    std::string packed("SZDD\x88\xf0\x27\x33" "A\0\x05\0\0\0\x1f[End]", 20);
    bool compressed = false, damaged = true;
    EXPECT_EQ("[End]", ExpandedBytes(packed, &compressed, &damaged));
    EXPECT_TRUE(compressed);
    EXPECT_FALSE(damaged);
    ExpandedBytes(packed.substr(0, 17), &compressed, &damaged);
    EXPECT_TRUE(damaged);
    EXPECT_EQ("[App]", ExpandedBytes("[App]", &compressed, &damaged));
    EXPECT_FALSE(compressed);
}
}  // namespace
