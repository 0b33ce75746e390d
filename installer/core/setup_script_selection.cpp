#include "installer/core/setup_script_selection.h"

#include <windows.h>
#include <lzexpand.h>
#include <cstring>
#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/core/startup.h"
#include "installer/core/system_paths.h"

namespace {
// OpenFile and LZOpenFileA keep the path in an OFSTRUCT of 128 characters and fail on a
// longer one, so a medium copied to a deep folder would seem to hold no script. Longer
// paths are opened with CreateFileA instead; LZInit then reads them as LZOpenFileA would.
bool FitsOfStruct(const char* path) { return strlen(path) < OFS_MAXPATHNAME; }

HFILE AsHfile(HANDLE file) { return static_cast<HFILE>(reinterpret_cast<INT_PTR>(file)); }

// The source of the copy: an LZ handle, or the plain file itself when it is not compressed.
class LzSource {
public:
    explicit LzSource(const char* path) {
        if (FitsOfStruct(path)) {
            OFSTRUCT of{};
            h_ = LZOpenFileA(const_cast<char*>(path), &of, OF_READ | OF_SHARE_DENY_WRITE);
            return;
        }
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        h_ = LZInit(AsHfile(file));   // owns the file from here on when it succeeds
        if (h_ < 0) CloseHandle(file);
    }
    ~LzSource() { if (h_ >= 0) LZClose(h_); }
    LzSource(const LzSource&) = delete;
    LzSource& operator=(const LzSource&) = delete;
    INT get() const { return h_; }
private:
    INT h_ = -1;
};

// The destination of the copy, created empty.
class LzDestination {
public:
    explicit LzDestination(const char* path) {
        if (FitsOfStruct(path)) {
            OFSTRUCT of{};
            h_ = LZOpenFileA(const_cast<char*>(path), &of, OF_CREATE);
            return;
        }
        file_.reset(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) h_ = AsHfile(file_.get());
    }
    ~LzDestination() { if (h_ >= 0 && !file_) LZClose(h_); }
    LzDestination(const LzDestination&) = delete;
    LzDestination& operator=(const LzDestination&) = delete;
    INT get() const { return h_; }
private:
    FileHandle file_;
    INT h_ = -1;
};

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
    LzSource in(source);
    if (in.get() < 0) return false;
    LzDestination out(destination);
    if (out.get() < 0) return false;
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
