#include "installer/core/setup_script_selection.h"

#include <windows.h>
#include <lzexpand.h>
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/core/startup.h"
#include "installer/core/system_paths.h"

namespace {
// An LZ handle from LZOpenFileA; only a non-negative value is open.
class LzFile {
public:
    LzFile(const char* path, WORD mode) : h_(LZOpenFileA(const_cast<char*>(path), &of_, mode)) {}
    ~LzFile() { if (h_ >= 0) LZClose(h_); }
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;
    INT get() const { return h_; }
    bool valid() const { return h_ >= 0; }
private:
    OFSTRUCT of_{};
    INT h_;
};

bool FileExists(const char* path) {
    OFSTRUCT of{};
    return OpenFile(path, &of, OF_EXIST) != HFILE_ERROR;
}

// LZCopy expands an LZ-compressed file and copies a plain one unchanged.
bool ExpandInto(const char* destination, const char* source) {
    LzFile in(source, OF_READ | OF_SHARE_DENY_WRITE);
    if (!in.valid()) return false;
    LzFile out(destination, OF_CREATE | OF_WRITE);
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
