// Schedules two replacements and one deletion in a folder for the restart test and prints,
// for the script to check, the files it made and the rename lines it expects.
//   deferred_probe.exe FOLDER
#include <cstdio>
#include <windows.h>
#include "installer/core/path_text.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/files/deferred_replace.h"

namespace {
bool WriteText(const char* path, const char* text) {
    FILE* f = fopen(path, "wb");
    if (!f) return false;
    bool ok = fputs(text, f) >= 0;
    return fclose(f) == 0 && ok;
}

// A file in the folder with the old bytes, and its replacement under a temporary name.
bool Schedule(const char* folder, const char* name, int number) {
    StrBuf destination = name ? JoinPath(folder, name) : StrBuf();
    StrBuf temporary = TempFileIn(folder);
    char bytes[32];
    wsprintfA(bytes, "new %d", number);
    if (temporary.IsEmpty() || !WriteText(temporary, bytes)) return false;
    if (name) {
        wsprintfA(bytes, "old %d", number);
        if (!WriteText(destination, bytes)) return false;
    }
    // Short names are taken before the call: the line must carry them.
    StrBuf shortTemp = ShortPathName(temporary);
    StrBuf shortDest = name ? ShortPathName(destination) : StrBuf("NUL");
    if (!ScheduleReplace(destination, temporary)) return false;
    printf("temp%d=%s\n", number, temporary.c_str());
    printf("line%d=%s=%s\n", number, shortDest.c_str(), shortTemp.c_str());
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    CreateDirectoryA(argv[1], nullptr);
    printf("code=%d\n", GetOsVersionCode());
    bool ok = Schedule(argv[1], "first new driver.dll", 1) && Schedule(argv[1], "second new driver.dll", 2) &&
              Schedule(argv[1], nullptr, 3);
    fflush(stdout);
    return ok ? 0 : 1;
}
