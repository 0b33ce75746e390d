#include "installer/files/file_copy.h"

#include "installer/core/handles.h"
#include "installer/files/lz_file.h"

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

LONG LzCopyFile(const char* sourcePath, const char* destinationPath) {
    if (!sourcePath || !destinationPath) return LZERROR_BADINHANDLE;
    LzSource source(sourcePath);
    if (!source.valid()) return source.get();
    // The LZ library, failing to create a name, may create its compressed form ("x.ex_")
    // instead: only a destination that can be created under its own name is handed over.
    FileHandle probe(CreateFileA(destinationPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return LZERROR_BADOUTHANDLE;
    probe.reset();
    LONG copied = LZERROR_BADOUTHANDLE;
    {
        LzDestination destination(destinationPath);
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
