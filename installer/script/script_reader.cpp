#include "installer/script/script_reader.h"

#include <cstring>
#include "installer/core/path_text.h"

ScriptText::ScriptText(const char* nulTerminated)
    : begin(nulTerminated), end(nulTerminated ? nulTerminated + strlen(nulTerminated) : nullptr) {}

StrBuf ReadLine(TextCursor& cursor) {
    if (cursor.AtEnd()) return StrBuf();
    const char* start = cursor.pos;
    const char* p = start;
    while (p < cursor.end && *p != 0 && *p != '\r') ++p;
    StrBuf line(start, static_cast<int>(p - start));
    if (p < cursor.end && *p == '\r') {
        ++p;
        if (p < cursor.end && *p == '\n') ++p;
        cursor.pos = (p < cursor.end && *p != 0) ? p : nullptr;
    } else {
        cursor.pos = nullptr;
    }
    return line;
}

bool IsSectionHeader(const StrBuf& line, const char* name) {
    StrBuf copy(line);
    int comment = copy.Find(';');
    if (comment >= 0) copy = copy.Left(comment);
    copy.Trim();
    if (copy.Length() < 2 || copy[0] != '[' || copy[copy.Length() - 1] != ']') return false;
    if (!name) return true;
    StrBuf inner = copy.Mid(1, copy.Length() - 2);
    inner.Trim();
    StrBuf wanted(name);
    wanted.Trim();
    return inner.EqualsNoCase(wanted);
}

StrBuf NextField(StrBuf& line, char separator, bool trim) {
    int p = line.Find(separator);
    int q1 = line.Find('"');
    int q2 = q1 >= 0 ? line.Find('"', q1 + 1) : -1;
    // An opening quote without a closing one is an ordinary character.
    bool quoted = q1 >= 0 && q2 >= 0 && (p < 0 || q1 < p);
    if (!quoted) {
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
    StrBuf field = line.Mid(q1 + 1, q2 - q1 - 1);
    int p2 = line.Find(separator, q2 + 1);
    if (p2 >= 0) {
        field += line.Mid(q2 + 1, p2 - q2 - 1);
        line = line.Mid(p2 + 1);
    } else {
        line.Empty();
    }
    return field;
}

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

void ReadSectionPass(const ScriptText& text, const char* name, int kind, SectionReader& reader) {
    TextCursor cursor(text);
    int mode = 0;
    while (!cursor.AtEnd()) {
        StrBuf line = ReadLine(cursor);
        line.Trim();
        if (line.IsEmpty() || line[0] == ';') continue;
        if (IsSectionHeader(line)) {
            if (IsSectionHeader(line, "End")) return;
            mode = IsSectionHeader(line, name) ? kind : 0;
            continue;
        }
        if (mode == kind) reader.KeyLine(line);
    }
}

bool HasSectionHeader(const ScriptText& text, const char* name) {
    TextCursor cursor(text);
    while (!cursor.AtEnd()) {
        StrBuf line = ReadLine(cursor);
        line.Trim();
        if (line.IsEmpty() || line[0] == ';' || !IsSectionHeader(line)) continue;
        if (IsSectionHeader(line, "End")) return false;
        if (IsSectionHeader(line, name)) return true;
    }
    return false;
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

IncludeFollower::IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context)
    : text_(text), kind_(kind), inner_(inner), context_(context), depth_(0), passesLeft_(&ownPasses_) {}

IncludeFollower::IncludeFollower(const ScriptText& text, int kind, SectionReader& inner, const Context& context,
                                 int depth, int* passesLeft)
    : text_(text), kind_(kind), inner_(inner), context_(context), depth_(depth), passesLeft_(passesLeft) {}

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
