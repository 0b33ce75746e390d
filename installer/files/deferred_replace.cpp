#include "installer/files/deferred_replace.h"

#include <cstdio>
#include <windows.h>
#include "installer/core/file_replace.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/core/system_paths.h"
#include "installer/files/wininit_rename.h"

namespace {
struct StreamCloser {
    FILE* f;
    ~StreamCloser() { if (f) fclose(f); }
};

bool RewriteRenameSection(const char* iniPath, const char* scratchPath, const char* shortDestination) {
    StreamCloser in{fopen(iniPath, "r")};
    StreamCloser out{fopen(scratchPath, "w")};
    if (!in.f || !out.f) return false;
    char piece[128];
    bool written = true;
    while (written && fgets(piece, sizeof piece, in.f)) written = fputs(RenameLine(piece, shortDestination), out.f) >= 0;
    written = written && !ferror(in.f);
    FILE* scratch = out.f;
    out.f = nullptr;
    // A scratch copy that did not take every line must never replace the list.
    return (fclose(scratch) == 0) && written;
}

bool ScheduleThroughWinInit(const char* destinationPath, const char* temporaryPath) {
    StrBuf windows = WindowsDirectory();
    StrBuf iniPath = JoinPath(windows, "WinInit.Ini");
    StrBuf scratchPath = JoinPath(windows, "WinInit.tmp");
    StrBuf shortSource = ShortPathName(temporaryPath);
    StrBuf shortDestination;
    if (destinationPath && *destinationPath) shortDestination = ShortPathName(destinationPath);

    WritePrivateProfileStringA("Rename", kRenamePlaceholder, shortSource, iniPath);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath);   // writes the cache to disk
    if (!RewriteRenameSection(iniPath, scratchPath, shortDestination)) {
        DeleteFileA(scratchPath);
        return false;
    }
    fflush(nullptr);
    OFSTRUCT info{};
    OpenFile(iniPath, &info, OF_DELETE);
    MoveFileA(scratchPath, iniPath);
    return true;
}
}  // namespace

bool ScheduleReplace(const char* destinationPath, const char* temporaryPath) {
    if (!temporaryPath || !*temporaryPath) return false;
    if (GetOsVersionCode() >= 400) {
        const char* target = destinationPath && *destinationPath ? destinationPath : nullptr;
        MoveFileExByName(temporaryPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT);
        return true;
    }
    return ScheduleThroughWinInit(destinationPath, temporaryPath);
}
