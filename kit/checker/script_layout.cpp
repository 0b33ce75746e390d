#include "kit/checker/script_layout.h"

#include "installer/script/script_reader.h"

bool HasUnmatchedQuote(const std::string& line) {
    bool open = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '"') continue;
        if (open && i + 1 < line.size() && line[i + 1] == '"') {
            ++i;
            continue;
        }
        open = !open;
    }
    return open;
}

namespace {
void AddInclude(ScriptLayout& layout, const StrBuf& line, int number) {
    StrBuf value(line);
    if (!CutKey(value).EqualsNoCase("*include") || layout.sections.empty()) return;
    LayoutInclude include;
    include.section = layout.sections.size() - 1;
    include.target = NextField(value, ',', true).c_str();
    value.Trim();
    include.file = value.c_str();
    include.line = number;
    layout.includes.push_back(include);
}
}  // namespace

ScriptLayout ReadLayout(const SourceText& source) {
    ScriptLayout layout;
    ScriptText text = source.Text();
    TextCursor cursor(text);
    bool afterEnd = false;
    while (!cursor.AtEnd()) {
        int number = source.LineOf(static_cast<size_t>(cursor.pos - text.begin));
        StrBuf line = ReadLine(cursor);
        line.Trim();
        if (line.IsEmpty() || line[0] == ';') continue;
        if (afterEnd) {
            // Prose after the mark is a note to the reader; headers and key lines were meant to be read.
            const char* b;
            const char* e;
            if (!SectionHeaderName(line, &b, &e) && line.Find('=') < 0) continue;
            if (!layout.firstLineAfterEnd) layout.firstLineAfterEnd = number;
            ++layout.linesAfterEnd;
            continue;
        }
        const char* nameBegin;
        const char* nameEnd;
        if (SectionHeaderName(line, &nameBegin, &nameEnd)) {
            if (IsSectionHeader(line, "End")) {
                layout.endLine = number;
                afterEnd = true;
                continue;
            }
            layout.sections.push_back({std::string(nameBegin, nameEnd), number, {}});
            continue;
        }
        if (layout.sections.empty()) continue;   // lines before the first header are never read
        if (HasUnmatchedQuote(line.c_str())) layout.unmatchedQuotes.push_back(number);
        StrBuf value(line);
        StrBuf key = CutKey(value);
        layout.sections.back().lines.push_back({key.c_str(), line.c_str(), number});
        AddInclude(layout, line, number);
    }
    return layout;
}
