// The guide for kit authors (docs/kit-authoring.md) and the checker tell the same story: each
// table of the guide marked "<!-- table: NAME -->" lists exactly the names, in the same order
// and with the same words, as the checker's table of that name.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include "kit/checker/findings.h"
#include "kit/checker/name_tables.h"

namespace {
struct Row {
    std::string name;
    std::vector<std::string> cells;   // the cells after the name
    bool operator==(const Row& other) const { return name == other.name && cells == other.cells; }
};

std::string Trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

// The rows of the table after the marker: "| `name` | cell | ... |".
std::vector<Row> GuideTable(const std::string& marker) {
    std::ifstream in(KIT_GUIDE);
    std::string line;
    while (std::getline(in, line) && line != "<!-- table: " + marker + " -->") {}
    std::vector<Row> rows;
    while (std::getline(in, line) && !line.empty() && line[0] == '|') {
        if (line.rfind("| `", 0) != 0) continue;   // the heading and its rule
        std::vector<std::string> cells;
        std::istringstream split(line.substr(1));
        for (std::string cell; std::getline(split, cell, '|');) cells.push_back(Trimmed(cell));
        if (!cells.empty() && cells.back().empty()) cells.pop_back();
        Row row{cells[0].substr(1, cells[0].size() - 2), {cells.begin() + 1, cells.end()}};
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> CheckerTable(const std::vector<KnownName>& names) {
    std::vector<Row> rows;
    for (const KnownName& known : names) rows.push_back({known.name, {known.meaning}});
    return rows;
}

std::string Shown(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        text += row.name;
        for (const std::string& cell : row.cells) text += " | " + cell;
        text += "\n";
    }
    return text;
}

TEST(KitCheckGuide, TablesOfSectionsAndKeysAreTheCheckers) {
    struct Table { const char* marker; const std::vector<KnownName>& names; };
    for (const Table& table : {Table{"script-sections", ScriptSectionNames()}, Table{"path-macros", PathMacroNames()},
                               Table{"app-keys", AppKeys()}, Table{"component-keys", ComponentKeyNames()},
                               Table{"launcher-parameters", LauncherParameterKeys()},
                               Table{"launcher-item-keys", LauncherItemKeys()}}) {
        std::vector<Row> guide = GuideTable(table.marker);
        EXPECT_FALSE(guide.empty()) << "the guide has no table " << table.marker;
        EXPECT_EQ(Shown(CheckerTable(table.names)), Shown(guide)) << table.marker;
    }
}

TEST(KitCheckGuide, RuleTableIsTheCheckers) {
    std::vector<Row> rules;
    for (const Rule& rule : Rules()) rules.push_back({rule.name, {SeverityName(rule.severity), rule.summary}});
    EXPECT_EQ(Shown(rules), Shown(GuideTable("checker-rules")));
}
}  // namespace
