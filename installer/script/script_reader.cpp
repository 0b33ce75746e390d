#include "installer/script/script_reader.h"

#include <cstring>
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/script/section_index.h"

ScriptText::ScriptText(const char* nulTerminated)
    : begin(nulTerminated), end(nulTerminated ? nulTerminated + strlen(nulTerminated) : nullptr) {}

namespace {
// Where the line at the cursor ends: its carriage return, a NUL byte or the end of the text.
const char* LineEnd(const TextCursor& cursor) {
    const char* p = cursor.pos;
    while (p < cursor.end && *p != 0 && *p != '\r') ++p;
    return p;
}

// Moves the cursor past a line ending at lineEnd and one line feed after its carriage return.
void MovePast(TextCursor& cursor, const char* lineEnd) {
    const char* p = lineEnd;
    if (p < cursor.end && *p == '\r') {
        ++p;
        if (p < cursor.end && *p == '\n') ++p;
        cursor.pos = (p < cursor.end && *p != 0) ? p : nullptr;
    } else {
        cursor.pos = nullptr;
    }
}

// The line's first character that trimming keeps, or 0 for a blank line; the line is not copied.
char FirstKeptCharacter(const TextCursor& cursor) {
    for (const char* p = cursor.pos; p < cursor.end && *p != 0 && *p != '\r'; ++p)
        if (!IsBlank(*p)) return *p;
    return 0;
}

struct Span {
    const char* begin;
    const char* end;
};

Span Trimmed(const char* begin, const char* end) {
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && IsBlank(end[-1])) --end;
    return {begin, end};
}

bool SameName(Span a, Span b) {
    return EqualNoCase(a.begin, static_cast<int>(a.end - a.begin), b.begin, static_cast<int>(b.end - b.begin));
}
}  // namespace

StrBuf ReadLine(TextCursor& cursor) {
    if (cursor.AtEnd()) return StrBuf();
    const char* lineEnd = LineEnd(cursor);
    StrBuf line(cursor.pos, static_cast<int>(lineEnd - cursor.pos));
    MovePast(cursor, lineEnd);
    return line;
}

void SkipLine(TextCursor& cursor) { MovePast(cursor, LineEnd(cursor)); }

bool LineStartsHeader(const TextCursor& cursor) { return FirstKeptCharacter(cursor) == '['; }

void TrimSpan(const char** begin, const char** end) {
    Span s = Trimmed(*begin, *end);
    *begin = s.begin;
    *end = s.end;
}

bool SameSectionName(const char* a, size_t aLength, const char* b, size_t bLength) {
    return SameName({a, a + aLength}, {b, b + bLength});
}

// Works on the line in place: every header of a text is asked this when its index is made.
bool SectionHeaderName(const char* line, const char** nameBegin, const char** nameEnd) {
    const char* end = line + strlen(line);
    const char* comment = static_cast<const char*>(memchr(line, ';', static_cast<size_t>(end - line)));
    Span header = Trimmed(line, comment ? comment : end);
    // The closing "]" must be a character of its own, not the trail byte of a name's last one.
    int length = static_cast<int>(header.end - header.begin);
    if (length < 2 || *header.begin != '[' || !EndsWithChar(header.begin, length, ']')) return false;
    Span name = Trimmed(header.begin + 1, header.end - 1);
    *nameBegin = name.begin;
    *nameEnd = name.end;
    return true;
}

bool IsSectionHeader(const StrBuf& line, const char* name) {
    const char* begin;
    const char* end;
    if (!SectionHeaderName(line.c_str(), &begin, &end)) return false;
    if (!name) return true;
    Span wanted = Trimmed(name, name + strlen(name));
    return SameName({begin, end}, wanted);
}

namespace {
// The closing quote of a quoted field opened at open: the next quote that is not one of a
// doubled pair ("" stands for one quote inside quotes); -1 when there is none.
int ClosingQuote(const StrBuf& line, int open) {
    for (int q = line.Find('"', open + 1); q >= 0; q = line.Find('"', q + 2))
        if (line[q + 1] != '"') return q;
    return -1;
}

// The text between the quotes, with each doubled quote made one again.
StrBuf Unquoted(const StrBuf& line, int open, int close) {
    StrBuf text;
    for (int i = open + 1; i < close; ++i) {
        text += line[i];
        if (line[i] == '"') ++i;
    }
    return text;
}
}  // namespace

StrBuf NextField(StrBuf& line, char separator, bool trim) {
    int p = line.Find(separator);
    int q1 = line.Find('"');
    int q2 = q1 >= 0 && (p < 0 || q1 < p) ? ClosingQuote(line, q1) : -1;
    // An opening quote without a closing one is an ordinary character.
    if (q2 < 0) {
        StrBuf field;
        if (p >= 0) {
            field = line.Left(p);
            line = line.Mid(p + 1);
        } else {
            field = line;
            line.Empty();
        }
        if (trim) field.Trim();
        return field;
    }
    StrBuf field = Unquoted(line, q1, q2);
    int p2 = line.Find(separator, q2 + 1);
    if (p2 >= 0) {
        field += line.Mid(q2 + 1, p2 - q2 - 1);
        line = line.Mid(p2 + 1);
    } else {
        line.Empty();
    }
    return field;
}

StrBuf CutEntryText(StrBuf& line) {
    int end = -1;
    for (int from = 0;;) {
        int equals = line.Find('=', from);
        int quote = line.Find('"', from);
        if (quote < 0 || (equals >= 0 && equals < quote)) {
            end = equals;
            break;
        }
        int close = ClosingQuote(line, quote);
        from = close >= 0 ? close + 1 : quote + 1;   // a lone quote is an ordinary character
    }
    StrBuf text = end >= 0 ? line.Left(end) : line;
    line = end >= 0 ? line.Mid(end + 1) : StrBuf();
    text.Trim();
    return text;
}

namespace {
bool NeedsQuotes(const StrBuf& text) {
    if (text.IsEmpty()) return false;
    if (IsBlank(text[0]) || IsBlank(text[text.Length() - 1])) return true;
    for (int i = 0; i < text.Length(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        // Separators of every entry line, the quote itself, what starts a comment or a
        // section header at the front of a line, and control characters.
        if (c < 0x20 || c == ',' || c == ':' || c == '-' || c == '=' || c == '"' || c == ';' || c == '[') return true;
    }
    return false;
}
}  // namespace

StrBuf AlwaysQuoted(const StrBuf& text) {
    StrBuf quoted("\"");
    for (int i = 0; i < text.Length(); ++i) {
        quoted += text[i];
        if (text[i] == '"') quoted += '"';
    }
    quoted += '"';
    return quoted;
}

StrBuf QuotedField(const StrBuf& text) { return NeedsQuotes(text) ? AlwaysQuoted(text) : text; }

bool ReadYesNo(StrBuf& line) {
    StrBuf field = NextField(line, ',', true);
    return field.Length() > 0 && (field[0] == 'Y' || field[0] == 'y');
}

int ReadNumber(StrBuf& line) { return ParseDecimal(NextField(line, ',', true)); }

unsigned ReadColour(StrBuf& line) {
    unsigned red = static_cast<unsigned>(ReadNumber(line)) & 0xFF;
    unsigned green = static_cast<unsigned>(ReadNumber(line)) & 0xFF;
    unsigned blue = static_cast<unsigned>(ReadNumber(line)) & 0xFF;
    return red + green * 256 + blue * 65536;
}

char YesNoLetter(bool value) { return value ? 'Y' : 'N'; }

StrBuf CutKey(StrBuf& line) { return NextField(line, '=', true); }

const SectionIndex& ScriptText::Index() const {
    if (!index_) index_ = std::make_shared<const SectionIndex>(*this);
    return *index_;
}

namespace {
// The key lines after one header up to the next header; false when that is "[End]".
bool ReadSectionBody(const ScriptText& text, const char* body, SectionReader& reader) {
    TextCursor cursor(body, text.end);
    while (!cursor.AtEnd()) {
        const char* at = cursor.pos;
        StrBuf line = ReadLine(cursor);
        line.Trim();
        if (line.IsEmpty() || line[0] == ';') continue;
        if (IsSectionHeader(line)) return !IsSectionHeader(line, "End");
        reader.LineStart(at);
        reader.KeyLine(line);
    }
    return true;
}
}  // namespace

void ReadSectionPass(const ScriptText& text, const char* name, int /*kind*/, SectionReader& reader) {
    if (text.IsEmpty()) return;
    for (const char* body : text.Index().Bodies(name))
        if (!ReadSectionBody(text, body, reader)) return;
}

bool HasSectionHeader(const ScriptText& text, const char* name) {
    return !text.IsEmpty() && text.Index().Has(name);
}

void ParseSection(const ScriptText& text, const char* name, int kind, SectionReader& reader,
                  const char* languageSuffix) {
    ReadSectionPass(text, StrBuf(name) + ".all", kind, reader);
    if (languageSuffix && *languageSuffix) {
        StrBuf variant = StrBuf(name) + languageSuffix;
        if (HasSectionHeader(text, variant)) {
            ReadSectionPass(text, variant, kind, reader);
            return;
        }
    }
    ReadSectionPass(text, name, kind, reader);
}

namespace {
const ScriptText& Indexed(const ScriptText& text) {
    text.Index();
    return text;
}
}  // namespace

IncludeFollower::IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context)
    : text_(Indexed(text)), kind_(kind), inner_(inner), context_(context), depth_(0), passesLeft_(&ownPasses_) {}

IncludeFollower::IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context,
                                 int depth, int* passesLeft)
    : text_(Indexed(text)), kind_(kind), inner_(inner), context_(context), depth_(depth), passesLeft_(passesLeft) {}

void IncludeFollower::KeyLine(const StrBuf& line) {
    StrBuf value(line);
    StrBuf key = CutKey(value);
    if (!key.EqualsNoCase("*include")) {
        inner_.KeyLine(line);
        return;
    }
    if (depth_ >= kMaxIncludeDepth || *passesLeft_ <= 0) return;
    --*passesLeft_;
    StrBuf section = NextField(value, ',', true);
    value.Trim();
    if (value.IsEmpty()) {
        IncludeFollower nested(text_, kind_, inner_, context_, depth_ + 1, passesLeft_);
        ReadSectionPass(text_, section, kind_, nested);
        return;
    }
    if (!context_.files) return;
    StrBuf path = JoinPath(context_.sourceDir, value);
    context_.files->WithFile(path, [&](const ScriptText& fileText) {
        IncludeFollower nested(fileText, kind_, inner_, context_, depth_ + 1, passesLeft_);
        if (context_.plainSectionInFiles)
            ReadSectionPass(fileText, section, kind_, nested);
        else
            ParseSection(fileText, section, kind_, nested, context_.languageSuffix);
    });
}

StrBuf SectionHeaderLine(const char* name, const char* languageSuffix) {
    StrBuf header("[");
    header += name;
    header += languageSuffix;
    header += ']';
    return header;
}
