#include "installer/script/script_tables.h"

#include <cstring>

#include "installer/core/path_text.h"
#include "installer/script/script_reader.h"

static bool StartsWith(const StrBuf& text, const char* prefix) {
    return std::strncmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

void ReadTableLine(const StrBuf& line, int& id, StrBuf& text) {
    StrBuf value(line);
    id = ParseDecimal(CutKey(value));
    text = NextField(value, ',', true);
    text.Trim();   // also what stood between a closing quote and the comma
}

DiskEntry ReadDiskLine(const StrBuf& line) {
    DiskEntry disk;
    ReadTableLine(line, disk.id, disk.label);
    return disk;
}

DirEntry ReadDirLine(const StrBuf& line) {
    DirEntry dir;
    ReadTableLine(line, dir.id, dir.specification);
    dir.path = dir.specification;
    return dir;
}

static StrBuf TableLine(int id, const StrBuf& text) {
    StrBuf line;
    line.Format("%d=%s", id, QuotedField(text).c_str());
    return line;
}

StrBuf DiskLine(const DiskEntry& disk) { return TableLine(disk.id, disk.label); }
StrBuf DirLine(const DirEntry& dir) { return TableLine(dir.id, dir.specification); }

// B up to and including its first backslash; all of B when it has none.
static StrBuf RootOf(const StrBuf& base) {
    int slash = base.Find('\\');
    return slash < 0 ? base : base.Left(slash + 1);
}

StrBuf ResolveDirSpec(const StrBuf& spec, const StrBuf& base, const StrBuf& alt, const DirectoryFacts& facts) {
    if (StartsWith(spec, "###")) return facts.bootRoot + spec.Mid(3);
    if (StartsWith(spec, "##")) return facts.systemDirectory + spec.Mid(2);
    if (StartsWith(spec, "#@")) return alt + spec.Mid(2);
    if (StartsWith(spec, "#")) return facts.windowsDirectory + spec.Mid(1);
    if (StartsWith(spec, "%")) {
        StrBuf expanded(spec);
        if (facts.expandMacro && facts.expandMacro(expanded)) return expanded;
        return base;
    }
    if (spec == ".") return base;
    if (StartsWith(spec, ".")) return spec;
    if (StartsWith(spec, "0")) return StrBuf();
    if (StartsWith(spec, "\\")) return RootOf(base);
    StrBuf path(base);
    AppendPath(path, spec);   // an empty base still gets its backslash: the line names a root folder
    return path;
}
