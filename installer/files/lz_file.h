#pragma once
// Handles of the LZ library for paths of any length. OpenFile and LZOpenFileA keep the path
// in an OFSTRUCT of 128 characters and fail on a longer one, so a deep installation folder or
// a medium copied to a deep folder would seem unusable. Longer paths are opened with
// CreateFileA instead; LZInit then reads them as LZOpenFileA would.
#include <windows.h>
#include <lzexpand.h>
#include "installer/core/handles.h"

// True when the LZ library's own open functions can take the path.
bool FitsOfStruct(const char* path);

// The source of a copy: an LZ handle for a compressed file, the plain file otherwise.
class LzSource {
public:
    // style: LZOpenFileA's open style; OF_SHARE_DENY_WRITE keeps writers out for long paths too.
    explicit LzSource(const char* path, WORD style = OF_READ);
    // A file already open for reading at its start; the LZ handle owns it once made.
    explicit LzSource(FileHandle file);
    ~LzSource();
    LzSource(const LzSource&) = delete;
    LzSource& operator=(const LzSource&) = delete;
    INT get() const { return h_; }   // negative (an LZERROR_ value) when the open failed
    bool valid() const { return h_ >= 0; }
private:
    INT h_ = LZERROR_BADINHANDLE;
};

// The destination of a copy, created empty (an existing file is truncated). It is always
// opened with CreateFileA: the library's own open, failing to create a name, may create its
// compressed form ("x.ex_") instead, and it gives the plain file handle LZCopy writes to anyway.
class LzDestination {
public:
    explicit LzDestination(const char* path);
    LzDestination(const LzDestination&) = delete;
    LzDestination& operator=(const LzDestination&) = delete;
    INT get() const;   // the file as LZCopy takes it; negative when it could not be created
    bool valid() const { return file_.valid(); }
private:
    FileHandle file_;
};
