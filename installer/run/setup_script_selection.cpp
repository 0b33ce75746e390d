#include "installer/run/setup_script_selection.h"

#include <windows.h>
#include <lzexpand.h>
#include <cstring>
#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/files/lz_file.h"

namespace {
bool FileExists(const char* path) {
    if (!FitsOfStruct(path)) {
        DWORD attributes = GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    OFSTRUCT of{};
    return OpenFile(path, &of, OF_EXIST) != HFILE_ERROR;
}

// LZCopy expands an LZ-compressed file and copies a plain one unchanged.
bool ExpandInto(const char* destination, const char* source) {
    LzSource in(source, OF_READ | OF_SHARE_DENY_WRITE);
    if (!in.valid()) return false;
    LzDestination out(destination);
    if (!out.valid()) return false;
    return LZCopy(in.get(), out.get()) > 0;
}
}  // namespace

bool ExpandFirstCandidate(const char* destination, const char* sourceDir, const std::vector<const char*>& chain) {
    if (!destination || !sourceDir) return false;
    for (const char* name : chain) {
        StrBuf candidate = JoinPath(sourceDir, name);
        if (FileExists(candidate)) return ExpandInto(destination, candidate);
    }
    return false;
}

bool SelectSetupScript(const char* destination, const char* sourceDir) {
    return ExpandFirstCandidate(destination, sourceDir, ScriptCandidates(NativeArchitecture(), GetOsVersionCode()));
}

bool IsOwnProgramName(const char* path) {
    if (!path) return false;
    return SameFileName(path, ProgramFilePath(ProgramInstance()));
}
