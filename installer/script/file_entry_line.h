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
// The written form; a name that would not read back bare is quoted (QuotedField).
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
