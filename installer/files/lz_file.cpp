#include "installer/files/lz_file.h"

#include <cstring>

namespace {
HFILE AsHfile(HANDLE file) { return static_cast<HFILE>(reinterpret_cast<INT_PTR>(file)); }
}  // namespace

bool FitsOfStruct(const char* path) { return path && strlen(path) < OFS_MAXPATHNAME; }

LzSource::LzSource(const char* path, WORD style) {
    if (!path) return;
    if (FitsOfStruct(path)) {
        OFSTRUCT of{};
        h_ = LZOpenFileA(const_cast<char*>(path), &of, style);
        return;
    }
    DWORD share = (style & OF_SHARE_DENY_WRITE) ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    h_ = LZInit(AsHfile(file));   // owns the file from here on when it succeeds
    if (h_ < 0) CloseHandle(file);
}

LzSource::LzSource(FileHandle file) {
    if (!file) return;
    h_ = LZInit(AsHfile(file.get()));
    if (h_ >= 0) file.release();
}

LzSource::~LzSource() { if (h_ >= 0) LZClose(h_); }

LzDestination::LzDestination(const char* path) {
    if (!path) return;
    file_.reset(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

INT LzDestination::get() const { return file_ ? AsHfile(file_.get()) : LZERROR_BADOUTHANDLE; }
