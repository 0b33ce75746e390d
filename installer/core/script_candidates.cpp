#include "installer/core/script_candidates.h"

#include <cstring>
#include "installer/core/code_page.h"
#include "installer/core/strbuf.h"

namespace {
// A 64-bit family's scripts, newest system first; each version starts further down.
std::vector<const char*> SixtyFourBitChain(const char* const names[5], int osVersionCode) {
    int first = 0;                              // Windows 7 and anything unknown
    if (osVersionCode == 501) first = 3;        // XP
    else if (osVersionCode == 502) first = 2;   // Server 2003
    else if (osVersionCode == 600) first = 1;   // Vista
    return std::vector<const char*>(names + first, names + 5);
}

const char* const kX64Names[5] = {"SetupX64.W7", "SetupX64.WVT", "SetupX64.W23", "SetupX64.WXP", "SetupX64.INF"};
const char* const kIa64Names[5] = {"SetupI64.W7", "SetupI64.WVT", "SetupI64.W23", "SetupI64.WXP", "SetupI64.INF"};

// Every 32-bit chain ends with "SetupExt.WNT", even on the Windows 95 family.
std::vector<const char*> ThirtyTwoBitChain(int code) {
    if (code == 200) return {"SetupExt.W95", "SetupExt.WNT"};
    if (code == 210) return {"SetupExt.W98", "SetupExt.W95", "SetupExt.WNT"};
    if (code == 290) return {"SetupExt.WME", "SetupExt.W98", "SetupExt.W95", "SetupExt.WNT"};
    if (code == 500) return {"SetupExt.W2K", "SetupExt.WNT"};
    if (code == 501) return {"SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"};
    if (code == 502) return {"SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"};
    if (code == 600) return {"SetupExt.WVT", "SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"};
    if (code >= 503)
        return {"SetupExt.W7", "SetupExt.WVT", "SetupExt.2K3", "SetupExt.WXP", "SetupExt.W2K", "SetupExt.WNT"};
    return {"SetupExt.WNT"};   // other 95-family codes, NT 4.0, unknown
}
}  // namespace

std::vector<const char*> ScriptCandidates(int nativeArchitecture, int osVersionCode) {
    if (nativeArchitecture == 9) return SixtyFourBitChain(kX64Names, osVersionCode);
    if (nativeArchitecture == 6) return SixtyFourBitChain(kIa64Names, osVersionCode);
    return ThirtyTwoBitChain(osVersionCode);
}

const char* FileNamePart(const char* path) {
    if (!path) return nullptr;
    return path + LastSeparator(path) + 1;
}

bool SameFileName(const char* path, const char* otherPath) {
    if (!path || !otherPath) return false;
    const char* name = FileNamePart(path);
    const char* otherName = FileNamePart(otherPath);
    // A folder path or an unknown program name ends in no name and must match nothing.
    return *name && *otherName && CompareNoCase(name, otherName) == 0;
}

bool IsScriptName(const char* path) { return SameFileName(path, "SetupExt.inf"); }

bool IsProtectedName(const char* fileName, const char* ownProgramPath) {
    return SameFileName(fileName, ownProgramPath) || IsScriptName(fileName);
}
