#include "installer/record/shortcut_line.h"

#include "installer/core/path_text.h"
#include "installer/script/file_entry_line.h"
#include "installer/script/script_reader.h"

ShortcutLine ParseShortcutLine(const char* entryText) {
    ShortcutLine line;
    StrBuf rest(entryText);
    line.target = NextField(rest, ',', true);
    line.caption = NextField(rest, ',', true);
    line.folderCode = ReadNumber(rest);
    return line;
}

StrBuf WriteShortcutLine(const ShortcutLine& line) {
    StrBuf text;
    // The uninstaller finds the link by its caption: a caption with a comma must survive.
    text.Format("%s,%s,%d", QuotedField(line.target).c_str(), QuotedField(line.caption).c_str(), line.folderCode);
    return text;
}

LinkPlace LinkPlaceFor(int folderCode) {
    switch (folderCode) {
        case -1: return {LinkFolder::None, 0};
        case -2: return {LinkFolder::Special, 7};    // user's Startup
        case -3: return {LinkFolder::Special, 16};   // user's desktop directory
        case -4: return {LinkFolder::Special, 24};   // all users' Startup
        case -5: return {LinkFolder::Special, 25};   // all users' desktop directory
        default: return {LinkFolder::ProgramGroup, 0};
    }
}

bool UseCommonProgramsFor(int defPmGroupFlag, int osVersionCode) { return defPmGroupFlag != 0 && osVersionCode >= 400; }

StrBuf LinkFilePath(const char* folder, const char* caption) { return JoinPath(folder, caption) + ".LNK"; }
