#pragma once
// The shortcut line of a component's shortcut section and where its link is placed.
#include "installer/core/strbuf.h"

struct ShortcutLine {
    StrBuf target;       // destination name of the file entry the link starts
    StrBuf caption;      // link file name (without ".LNK") and description
    int folderCode = 0;  // -1 none, -2..-5 special folders, anything else the program group
};

ShortcutLine ParseShortcutLine(const char* entryText);
StrBuf WriteShortcutLine(const ShortcutLine& line);

enum class LinkFolder { None, ProgramGroup, Special };
struct LinkPlace {
    LinkFolder folder;
    int csidl;           // for Special
};
LinkPlace LinkPlaceFor(int folderCode);
// The link file of a caption in a folder: "<folder>\<caption>.LNK".
StrBuf LinkFilePath(const char* folder, const char* caption);
// The all-users Programs folder needs the group's flag and an NT kernel.
bool UseCommonProgramsFor(int defPmGroupFlag, int osVersionCode);
