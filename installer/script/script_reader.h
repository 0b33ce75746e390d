#pragma once
// The lexical layer of every script reader: lines, comments, section headers,
// "[End]", language variants, "*include" and comma-separated fields with quotes.
// Pure text work: files are reached only through IncludeFiles.
#include <cstddef>
#include <functional>
#include <memory>
#include "installer/core/strbuf.h"

class SectionIndex;

// A script's text: a byte range (a file mapping is not NUL-terminated); a NUL byte also ends it.
struct ScriptText {
    const char* begin = nullptr;
    const char* end = nullptr;
    ScriptText() = default;
    ScriptText(const char* b, const char* e) : begin(b), end(e) {}
    explicit ScriptText(const char* nulTerminated);
    bool IsEmpty() const { return !begin || begin == end || *begin == 0; }
    // The headers of the text, found on first use and shared by the copies made after it.
    const SectionIndex& Index() const;
private:
    mutable std::shared_ptr<const SectionIndex> index_;
};

// Position in a text; at its end when pos is null.
struct TextCursor {
    const char* pos = nullptr;
    const char* end = nullptr;
    explicit TextCursor(const ScriptText& text) : pos(text.IsEmpty() ? nullptr : text.begin), end(text.end) {}
    TextCursor(const char* at, const char* textEnd) : pos(at && at < textEnd && *at ? at : nullptr), end(textEnd) {}
    bool AtEnd() const { return pos == nullptr; }
};

// The next line: up to a carriage return (only CR ends a line; one LF after it is skipped).
StrBuf ReadLine(TextCursor& cursor);
// Moves past the line at the cursor without copying it.
void SkipLine(TextCursor& cursor);
// Whether the line at the cursor starts with "[" after its blanks (only such a line can be a header).
bool LineStartsHeader(const TextCursor& cursor);
// A "[...]" line (comments after ";" cut, trimmed); with a name, also that its name matches.
bool IsSectionHeader(const StrBuf& line, const char* name = nullptr);
// The name between a header line's brackets, trimmed; false when the line is no header.
bool SectionHeaderName(const char* line, const char** nameBegin, const char** nameEnd);
// Section names compare without regard to the case of A to Z.
bool SameSectionName(const char* a, size_t aLength, const char* b, size_t bLength);
void TrimSpan(const char** begin, const char** end);
// Cuts the next field and its separator off the front of line; quotes group text, and
// inside them a doubled quote stands for one.
StrBuf NextField(StrBuf& line, char separator, bool trim);
// Cuts an entry line's entry text (trimmed, quotes kept for the entry's own reader) up to
// the first "=" outside quotes; line keeps what follows it.
StrBuf CutEntryText(StrBuf& line);
// A field as written back so that NextField reads every byte of it again: in quotes, inner
// quotes doubled. QuotedField quotes only when the text would not read back bare.
StrBuf AlwaysQuoted(const StrBuf& text);
StrBuf QuotedField(const StrBuf& text);
bool ReadYesNo(StrBuf& line);             // next "," field: true when it starts with Y or y
int ReadNumber(StrBuf& line);             // next "," field: decimal, 0 when none
unsigned ReadColour(StrBuf& line);        // next three "," fields: red + green*256 + blue*65536
char YesNoLetter(bool value);             // "Y" / "N" as written back

// Receives the key lines of the wanted section.
class SectionReader {
public:
    virtual ~SectionReader() = default;
    virtual void KeyLine(const StrBuf& line) = 0;
    // Where the key line handed next begins in its text; for readers that report positions.
    virtual void LineStart(const char* /*at*/) {}
};

// Where "*include=Section,File" finds its file; calls use with the file's text, or does
// nothing when the file cannot be opened.
class IncludeFiles {
public:
    virtual ~IncludeFiles() = default;
    virtual void WithFile(const char* path, const std::function<void(const ScriptText&)>& use) = 0;
};

// One reading pass over every occurrence of section name, in file order, to "[End]".
void ReadSectionPass(const ScriptText& text, const char* name, int kind, SectionReader& reader);
// Section N.all, then N + suffix when that header exists (before "[End]"), else N.
void ParseSection(const ScriptText& text, const char* name, int kind, SectionReader& reader,
                  const char* languageSuffix);
bool HasSectionHeader(const ScriptText& text, const char* name);

// Includes deeper than this read nothing (a section that includes itself would never end),
// and one top-level reading follows at most kMaxIncludePasses includes in all (sections
// that each include several others would otherwise multiply the work at every level).
const int kMaxIncludeDepth = 8;
const int kMaxIncludePasses = 256;

// A reader that follows "*include" lines before handing the others on.
class IncludeFollower : public SectionReader {
public:
    struct Context {
        StrBuf sourceDir;                 // included files are found here
        IncludeFiles* files = nullptr;    // null: file includes read nothing
        StrBuf languageSuffix;
        bool plainSectionInFiles = false; // component sections: no ".all" or language variant
    };
    IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context);
    void KeyLine(const StrBuf& line) override;
    void LineStart(const char* at) override { inner_.LineStart(at); }
private:
    IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context, int depth,
                    int* passesLeft);
    ScriptText text_;   // indexed before it is copied, so that every follower shares one index
    int kind_;
    SectionReader& inner_;
    const Context& context_;
    int depth_;
    int ownPasses_ = kMaxIncludePasses;
    int* passesLeft_;   // shared by every follower of one top-level reading
};

// A SectionReader made from a function.
class LineFunctionReader : public SectionReader {
public:
    explicit LineFunctionReader(std::function<void(const StrBuf&)> fn) : fn_(std::move(fn)) {}
    void KeyLine(const StrBuf& line) override { fn_(line); }
private:
    std::function<void(const StrBuf&)> fn_;
};

// Splits a key line into its key (trimmed, before "=") and the rest of the line.
StrBuf CutKey(StrBuf& line);
// A section header as written back: "[" name suffix "]".
StrBuf SectionHeaderLine(const char* name, const char* languageSuffix);
