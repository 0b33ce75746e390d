#pragma once
// The "Disks", "SrcDirs" and "DstDirs" tables of a script, and how a directory
// specification becomes a path. Pure: the machine's folders come in as DirectoryFacts.
#include <functional>
#include "installer/core/strbuf.h"

struct DiskEntry {
    int id = 0;
    StrBuf label;
};

struct DirEntry {
    int id = 0;
    StrBuf specification;   // as written in the script
    StrBuf path;            // the specification until resolved
};

// "id=text[,anything]": id is the decimal key, text the first field of the value.
void ReadTableLine(const StrBuf& line, int& id, StrBuf& text);
DiskEntry ReadDiskLine(const StrBuf& line);
DirEntry ReadDirLine(const StrBuf& line);
// "%d=%s" as the record copy keeps it.
StrBuf DiskLine(const DiskEntry& disk);
StrBuf DirLine(const DirEntry& dir);

struct DirectoryFacts {
    StrBuf bootRoot;          // "C:\"
    StrBuf systemDirectory;
    StrBuf windowsDirectory;
    // Expands a leading "%...%" in place; false when it cannot.
    std::function<bool(StrBuf&)> expandMacro;
};

// The path a specification names, against base directory base and alternative directory alt.
StrBuf ResolveDirSpec(const StrBuf& specification, const StrBuf& base, const StrBuf& alt,
                      const DirectoryFacts& facts);
