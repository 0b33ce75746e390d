#pragma once
// The file entry line of a component's file sections and its written form, and the
// "CopyFolder" line that stands for one entry per file found in a folder.
#include "installer/core/strbuf.h"

struct FileEntryLine {
    StrBuf displayName;
    int diskId = 0;
    int sourceDirId = 0;
    StrBuf sourceName;
    int destDirId = 0;          // negative: source directory -n
    StrBuf destName;
    bool spareFlag = false;
    bool removeOnUninstall = true;
    int installMode = 0;        // 5: always replaced at the next restart when it exists
};

// "name,disk-srcdir:source,destdir:dest,spare,remove,mode"; missing fields keep their defaults.
FileEntryLine ParseFileEntryLine(const char* entryText);
// A name as a field of a written line: quoted when it holds a "," or blanks at either end,
// so that it reads back whole (a name holding a double quote is written as it stands).
StrBuf QuotedField(const StrBuf& name);
// The written form; a name holding a "," or edge blanks is quoted so that it reads back whole.
StrBuf WriteFileEntryLine(const FileEntryLine& entry);

struct CopyFolderLine {
    int diskId = 0;
    int sourceDirId = 0;
    StrBuf pattern;             // "*" and "?" wildcards
    int destDirId = 0;
    StrBuf tail;                // flags and mode given to every entry
};
CopyFolderLine ParseCopyFolderLine(const char* value);
// The entry text for one file found: its name stands for display, source and destination name.
StrBuf CopyFolderEntryText(const CopyFolderLine& line, const char* fileName);
