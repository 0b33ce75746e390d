#include "installer/files/file_copy.h"

#include <lzexpand.h>
#include "installer/core/handles.h"

bool FileExists(const char* path) {
    if (!path || !*path) return false;
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid();
}

bool ForceDelete(const char* path) {
    if (!path || !*path) return false;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) != 0;
}

namespace {
// LZ handles are few (16 at once): each is closed on every path.
class LzHandle {
public:
    explicit LzHandle(INT h) : h_(h) {}
    ~LzHandle() { if (h_ >= 0) LZClose(h_); }
    LzHandle(const LzHandle&) = delete;
    LzHandle& operator=(const LzHandle&) = delete;
    INT get() const { return h_; }
    bool valid() const { return h_ >= 0; }
private:
    INT h_;
};
}  // namespace

LONG LzCopyFile(const char* sourcePath, const char* destinationPath) {
    if (!sourcePath || !destinationPath) return LZERROR_BADINHANDLE;
    OFSTRUCT sourceInfo{}, destinationInfo{};
    LzHandle source(LZOpenFileA(const_cast<char*>(sourcePath), &sourceInfo, OF_READ));
    if (!source.valid()) return source.get() < 0 ? source.get() : LZERROR_BADINHANDLE;
    // The LZ library, failing to create a name, may create its compressed form ("x.ex_")
    // instead: only a destination that can be created under its own name is handed over.
    FileHandle probe(CreateFileA(destinationPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return LZERROR_BADOUTHANDLE;
    probe.reset();
    LONG copied = LZERROR_BADOUTHANDLE;
    {
        LzHandle destination(LZOpenFileA(const_cast<char*>(destinationPath), &destinationInfo, OF_CREATE));
        if (destination.valid()) copied = LZCopy(source.get(), destination.get());
    }
    // A copy that failed half-way (a full drive, a medium gone) must not leave a truncated
    // file that a later run or the user would take for the real one.
    if (copied < 0) DeleteFileA(destinationPath);
    return copied;
}

bool ExpandCopy(const char* sourcePath, const char* destinationPath) {
    return LzCopyFile(sourcePath, destinationPath) > 0;
}
