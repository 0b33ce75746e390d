#pragma once
// A script text walked line by line as written, before any reader gives the lines a meaning:
// where its sections stand, the "[End]" mark and what follows it, the "*include" lines, and
// lines whose quotes do not pair up.
#include <string>
#include <vector>
#include "kit/checker/source_text.h"

struct LayoutLine {
    std::string key;        // before the first "=", trimmed
    std::string text;       // the whole line, trimmed
    int line = 0;
};

struct LayoutSection {
    std::string name;       // between the brackets, trimmed
    int line = 0;
    std::vector<LayoutLine> lines;
};

struct LayoutInclude {
    size_t section = 0;     // index into sections
    std::string target;     // the section it reads
    std::string file;       // "" for a section of the same text
    int line = 0;
};

struct ScriptLayout {
    std::vector<LayoutSection> sections;   // up to "[End]", in file order
    int endLine = 0;                       // 0: no "[End]"
    int firstLineAfterEnd = 0;             // the first header or key line after "[End]"
    int linesAfterEnd = 0;                 // headers and key lines after "[End]"
    std::vector<int> unmatchedQuotes;      // lines whose last quote opens nothing that closes
    std::vector<LayoutInclude> includes;
};

ScriptLayout ReadLayout(const SourceText& source);
// Whether a quote is left open at the end of the line ("" inside quotes stands for one quote).
bool HasUnmatchedQuote(const std::string& line);
