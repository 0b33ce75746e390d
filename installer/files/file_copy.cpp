#include "installer/files/file_copy.h"

#include <atomic>
#include <climits>
#include <memory>
#include <utility>
#include "installer/core/handles.h"
#include "installer/files/lz_expander.h"
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
// The LZ library's LZCopy moves a thousand bytes per read and write and expands a byte at a
// time. Files are copied here in large blocks instead, with LZCopy's result: a compressed file
// is expanded by our own expander, an uncompressed one is copied as it is, and the copy is a
// new file with normal attributes and the source's last-write time (CopyFileA would also carry
// the read-only mark of a file on a CD).
constexpr DWORD kCopyBlock = 256 * 1024;

// The blocks a copy reads into and expands into, made once: fresh ones for every file cost
// new pages to map, fault in and give back, which took longer than the copy itself. A copy
// made while they are taken (by another thread) gets blocks of its own. (Not thread_local:
// its support imports functions Windows 95 lacks.)
std::atomic<bool> g_sharedBlocksTaken{false};
std::unique_ptr<char[]> g_sharedOutput;
std::unique_ptr<unsigned char[]> g_sharedInput;

class CopyBlocksLease {
public:
    CopyBlocksLease() : shared_(!g_sharedBlocksTaken.exchange(true)) {
        if (shared_ && !g_sharedOutput) {
            g_sharedOutput.reset(new char[kCopyBlock]);
            g_sharedInput.reset(new unsigned char[kCopyBlock]);
        }
        if (!shared_) {
            ownOutput_.reset(new char[kCopyBlock]);
            ownInput_.reset(new unsigned char[kCopyBlock]);
        }
    }
    ~CopyBlocksLease() {
        if (shared_) g_sharedBlocksTaken.store(false);
    }
    CopyBlocksLease(const CopyBlocksLease&) = delete;
    CopyBlocksLease& operator=(const CopyBlocksLease&) = delete;
    char* Output() const { return shared_ ? g_sharedOutput.get() : ownOutput_.get(); }
    unsigned char* Input() const { return shared_ ? g_sharedInput.get() : ownInput_.get(); }

private:
    bool shared_;
    std::unique_ptr<char[]> ownOutput_;
    std::unique_ptr<unsigned char[]> ownInput_;
};

// Whether the opened source must be expanded; the file is back at its start. false when its
// first bytes cannot be read.
bool ReadCompressedMark(HANDLE file, bool& compressed) {
    unsigned char header[kLzHeaderSize];
    DWORD got = 0;
    if (!ReadFile(file, header, sizeof header, &got, nullptr) || SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0)
        return false;
    compressed = IsLzCompressedHeader(header, got);
    return true;
}

// read(block, size) gives the next bytes of the source: their count, 0 at the end, or an
// LZERROR_ value. The byte count (held at LONG_MAX for larger files), or an LZERROR_ value as
// LZCopy reports it. created: the destination was made (or emptied). disposition: CREATE_ALWAYS
// as LZCopy, or CREATE_NEW to leave any file already there alone.
template <typename Read>
LONG CopyBlocks(Read read, char* block, const FILETIME* written, const char* destinationPath, DWORD disposition,
               bool& created) {
    FileHandle destination(CreateFileA(destinationPath, GENERIC_WRITE, 0, nullptr, disposition,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!destination) return LZERROR_BADOUTHANDLE;
    created = true;
    LONG total = 0;
    for (;;) {
        INT got = read(block, static_cast<INT>(kCopyBlock));
        if (got < 0) return got;
        if (got == 0) break;
        DWORD put = 0;
        if (!WriteFile(destination.get(), block, static_cast<DWORD>(got), &put, nullptr) ||
            put != static_cast<DWORD>(got))
            return LZERROR_WRITE;
        total = LONG_MAX - total < got ? LONG_MAX : total + got;
    }
    if (written) SetFileTime(destination.get(), nullptr, nullptr, written);
    return total;
}

// The expanded bytes of a compressed source, block by block, as LZRead would give them; a
// source that ends before its header's length is damaged, and fails as a read would.
class ExpandingReader {
public:
    ExpandingReader(HANDLE file, unsigned char* input) : file_(file), input_(input) {}
    INT operator()(char* block, INT size) {
        if (!started_) {
            INT begun = Begin();
            if (begun < 0) return begun;
        }
        size_t given = 0;
        while (given < static_cast<size_t>(size)) {
            if (next_ == filled_ && !atEnd_ && !Refill()) return LZERROR_READ;
            size_t taken = 0, put = 0;
            LzExpander::Status status =
                expander_.Expand(input_ + next_, filled_ - next_, &taken,
                                 reinterpret_cast<unsigned char*>(block) + given, static_cast<size_t>(size) - given, &put);
            next_ += taken;
            given += put;
            if (status == LzExpander::Done) break;
            if (status == LzExpander::Damaged) return LZERROR_READ;
            if (given == static_cast<size_t>(size)) break;
            // Room left and nothing more to read: the source ends before its expanded length.
            if (atEnd_ && next_ == filled_) return LZERROR_READ;
        }
        return static_cast<INT>(given);
    }

private:
    // 0, or the library's error: the signature was seen, so a refused header names a method
    // it does not know.
    INT Begin() {
        unsigned char header[kLzHeaderSize];
        DWORD got = 0;
        started_ = true;
        if (!ReadFile(file_, header, sizeof header, &got, nullptr)) return LZERROR_READ;
        return expander_.Start(header, got) ? 0 : LZERROR_UNKNOWNALG;
    }
    bool Refill() {
        DWORD got = 0;
        if (!ReadFile(file_, input_, kCopyBlock, &got, nullptr)) return false;
        next_ = 0;
        filled_ = got;
        atEnd_ = got == 0;
        return true;
    }
    HANDLE file_;
    unsigned char* input_;
    size_t next_ = 0, filled_ = 0;
    bool atEnd_ = false, started_ = false;
    LzExpander expander_;
};

LONG CopyOpenSource(FileHandle file, bool compressed, const char* destinationPath, DWORD disposition,
                    bool& created) {
    FILETIME written{};
    const FILETIME* time = GetFileTime(file.get(), nullptr, nullptr, &written) ? &written : nullptr;
    CopyBlocksLease blocks;
    if (!compressed) {
        auto readPlain = [&file](char* block, INT size) {
            DWORD got = 0;
            return ReadFile(file.get(), block, static_cast<DWORD>(size), &got, nullptr) ? static_cast<INT>(got)
                                                                                        : LZERROR_READ;
        };
        return CopyBlocks(readPlain, blocks.Output(), time, destinationPath, disposition, created);
    }
    return CopyBlocks(ExpandingReader(file.get(), blocks.Input()), blocks.Output(), time, destinationPath, disposition,
                      created);
}

LONG CopyThroughLzLibrary(const char* sourcePath, const char* destinationPath, DWORD disposition, bool& created) {
    LzSource source(sourcePath);
    if (!source.valid()) return source.get();
    // The library only creates or empties: a file already there is looked for first.
    if (disposition == CREATE_NEW && GetFileAttributesA(destinationPath) != INVALID_FILE_ATTRIBUTES)
        return LZERROR_BADOUTHANDLE;
    LzDestination destination(destinationPath);
    if (!destination.valid()) return LZERROR_BADOUTHANDLE;
    created = true;
    return LZCopy(source.get(), destination.get());
}

// source: the source opened by OpenCopySource, or nothing when it did not open under its name.
LONG CopyToDestination(FileHandle source, const char* sourcePath, const char* destinationPath, DWORD disposition) {
    if (!sourcePath || !destinationPath) return LZERROR_BADINHANDLE;
    bool compressed = false;
    if (source && !ReadCompressedMark(source.get(), compressed)) source.reset();
    bool created = false;
    LONG copied = source ? CopyOpenSource(std::move(source), compressed, destinationPath, disposition, created)
                         : CopyThroughLzLibrary(sourcePath, destinationPath, disposition, created);
    // A copy that failed half-way (a full drive, a medium gone) must not leave a truncated
    // file that a later run or the user would take for the real one; a destination that could
    // not be opened (someone else's file, held open) was never touched and stays.
    if (copied < 0 && created) DeleteFileA(destinationPath);
    return copied;
}

// An empty source counts as a failed copy; the empty file it made must not stay behind in
// case the entry fails later, where it would pass for the installed file.
bool CopiedBytes(LONG copied, const char* destinationPath) {
    if (copied == 0) DeleteFileA(destinationPath);
    return copied > 0;
}
}  // namespace

FileHandle OpenCopySource(const char* path) {
    if (!path || !*path) return FileHandle();
    return FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

LONG LzCopyFile(const char* sourcePath, const char* destinationPath) {
    return CopyToDestination(OpenCopySource(sourcePath), sourcePath, destinationPath, CREATE_ALWAYS);
}

bool ExpandCopy(const char* sourcePath, const char* destinationPath) {
    return CopiedBytes(LzCopyFile(sourcePath, destinationPath), destinationPath);
}

bool ExpandCopyToNewFile(FileHandle source, const char* sourcePath, const char* destinationPath) {
    return CopiedBytes(CopyToDestination(std::move(source), sourcePath, destinationPath, CREATE_NEW), destinationPath);
}

bool ExpandCopyToNewFile(const char* sourcePath, const char* destinationPath) {
    return ExpandCopyToNewFile(OpenCopySource(sourcePath), sourcePath, destinationPath);
}
