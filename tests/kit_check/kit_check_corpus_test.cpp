// The corpus of broken media under corpus/: each case gives exactly the findings its
// "expected" file lists (file:line rule), and the clean case none. A case's "script.inf" is
// put on its medium as the x86 and the x64 script ("SCRIPT" in "expected" stands for both);
// the files of corpus/base come first; text files get the CR LF line ends of real kits
// unless their names end in ".lf".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "kit/checker/kit_check.h"

namespace fs = std::filesystem;

namespace {
fs::path CorpusDir() { return fs::path(KIT_CHECK_CORPUS); }

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Lines ended by LF in the repository become CR LF; binary files (with a NUL or a CR) stay.
std::string AsKitText(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos || bytes.find('\r') != std::string::npos) return bytes;
    std::string out;
    for (char c : bytes) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void CopyInto(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        std::string name = entry.path().filename().string();
        if (name == "expected") continue;
        // A name ending in ".lf" keeps its bare line feeds and loses that ending.
        if (name.size() > 3 && name.substr(name.size() - 3) == ".lf") {
            WriteAll(target.replace_extension(), ReadAll(entry.path()));
            continue;
        }
        std::string bytes = AsKitText(ReadAll(entry.path()));
        if (name == "script.inf") {
            WriteAll(to / "SetupExt.WNT", bytes);
            WriteAll(to / "SetupX64.INF", bytes);
        } else {
            WriteAll(target, bytes);
        }
    }
}

std::vector<std::string> Expected(const fs::path& file) {
    std::vector<std::string> lines;
    std::istringstream in(ReadAll(file));
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        if (line.rfind("SCRIPT:", 0) == 0) {
            lines.push_back("SetupExt.WNT" + line.substr(6));
            lines.push_back("SetupX64.INF" + line.substr(6));
        } else {
            lines.push_back(line);
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> Found(const Findings& findings, std::string& messages) {
    std::vector<std::string> lines;
    for (const Finding& f : findings.Sorted()) {
        lines.push_back((f.file.empty() ? "." : f.file) + ":" + std::to_string(f.line) + " " + f.rule);
        messages += lines.back() + ": " + f.message + "\n";
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

class CorpusCase : public testing::TestWithParam<std::string> {};

TEST_P(CorpusCase, GivesExactlyItsFindings) {
    fs::path medium = fs::temp_directory_path() / ("kitcheck_corpus_" + GetParam());
    fs::remove_all(medium);
    fs::create_directories(medium);
    CopyInto(CorpusDir() / "base", medium);
    CopyInto(CorpusDir() / GetParam(), medium);
    Findings findings;
    ASSERT_TRUE(CheckMedium(medium.string(), findings));
    std::string messages;
    std::vector<std::string> found = Found(findings, messages);
    EXPECT_EQ(Expected(CorpusDir() / GetParam() / "expected"), found) << messages;
    fs::remove_all(medium);
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(CorpusDir()))
        if (entry.is_directory() && entry.path().filename() != "base") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(KitCheck, CorpusCase, testing::ValuesIn(CaseNames()), CaseName);

// Every rule the checker has is shown by at least one case of the corpus.
TEST(KitCheckCorpus, EveryRuleHasACase) {
    std::string all;
    for (const std::string& name : CaseNames()) all += ReadAll(CorpusDir() / name / "expected");
    for (const Rule& rule : Rules())
        EXPECT_NE(all.find(std::string(" ") + rule.name + "\n"), std::string::npos) << rule.name << " has no case";
}
}  // namespace
