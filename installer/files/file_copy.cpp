#include "installer/files/file_copy.h"

#include <climits>
#include <memory>
#include "installer/core/handles.h"
#include "installer/files/lz_file.h"
#include "installer/files/lz_header.h"

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
// The LZ library copies an uncompressed file a thousand bytes at a time; such a file is
// copied here in large blocks instead, with the library's result: a new file of the same
// bytes with normal attributes and the source's last-write time (CopyFileA would also carry
// the read-only mark of a file on a CD).
constexpr DWORD kCopyBlock = 256 * 1024;

// The source opened for a plain copy, or nothing when the LZ library must read it: a
// compressed file, or one that does not open under its own name (the library also tries the
// compressed form of the name).
FileHandle OpenUncompressed(const char* path) {
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return file;
    unsigned char header[kLzHeaderSize];
    DWORD got = 0;
    if (!ReadFile(file.get(), header, sizeof header, &got, nullptr) || IsLzCompressedHeader(header, got) ||
        SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) != 0)
        file.reset();
    return file;
}

void KeepLastWriteTime(HANDLE source, HANDLE destination) {
    FILETIME written{};
    if (GetFileTime(source, nullptr, nullptr, &written)) SetFileTime(destination, nullptr, nullptr, &written);
}

// The byte count (held at LONG_MAX for larger files), or LZERROR_READ / LZERROR_WRITE /
// LZERROR_BADOUTHANDLE as LZCopy reports them. created: the destination was made (or emptied).
LONG CopyUncompressed(HANDLE source, const char* destinationPath, bool& created) {
    FileHandle destination(CreateFileA(destinationPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!destination) return LZERROR_BADOUTHANDLE;
    created = true;
    std::unique_ptr<char[]> block(new char[kCopyBlock]);
    LONG total = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, block.get(), kCopyBlock, &got, nullptr)) return LZERROR_READ;
        if (got == 0) {
            KeepLastWriteTime(source, destination.get());
            return total;
        }
        DWORD written = 0;
        if (!WriteFile(destination.get(), block.get(), got, &written, nullptr) || written != got) return LZERROR_WRITE;
        total = LONG_MAX - total < static_cast<LONG>(got) ? LONG_MAX : total + static_cast<LONG>(got);
    }
}

LONG CopyThroughLzLibrary(const char* sourcePath, const char* destinationPath, bool& created) {
    LzSource source(sourcePath);
    if (!source.valid()) return source.get();
    LzDestination destination(destinationPath);
    if (!destination.valid()) return LZERROR_BADOUTHANDLE;
    created = true;
    return LZCopy(source.get(), destination.get());
}
}  // namespace

LONG LzCopyFile(const char* sourcePath, const char* destinationPath) {
    if (!sourcePath || !destinationPath) return LZERROR_BADINHANDLE;
    FileHandle uncompressed = OpenUncompressed(sourcePath);
    bool created = false;
    LONG copied = uncompressed ? CopyUncompressed(uncompressed.get(), destinationPath, created)
                               : CopyThroughLzLibrary(sourcePath, destinationPath, created);
    // A copy that failed half-way (a full drive, a medium gone) must not leave a truncated
    // file that a later run or the user would take for the real one; a destination that could
    // not be opened (someone else's file, held open) was never touched and stays.
    if (copied < 0 && created) DeleteFileA(destinationPath);
    return copied;
}

bool ExpandCopy(const char* sourcePath, const char* destinationPath) {
    return LzCopyFile(sourcePath, destinationPath) > 0;
}
