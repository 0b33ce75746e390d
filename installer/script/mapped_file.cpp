#include "installer/script/mapped_file.h"

#include <cstring>
#include "installer/core/file_position.h"

bool MappedFile::Open(const char* path) {
    Close();
    file_.reset(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return false;
    uint64_t size = 0;
    if (!FileSizeOf(file_.get(), size) || size == 0 || size > 0x7fffffff) {
        file_.reset();
        return false;
    }
    mapping_.reset(CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping_) view_ = static_cast<const char*>(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view_) {
        mapping_.reset();
        file_.reset();
        return false;
    }
    size_ = static_cast<size_t>(size);
    return true;
}

void MappedFile::Close() {
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    size_ = 0;
    mapping_.reset();
    file_.reset();
}

ScriptText MappedFile::Text() const { return view_ ? ScriptText(view_, view_ + size_) : ScriptText(); }

void MappedIncludeFiles::WithFile(const char* path, const std::function<void(const ScriptText&)>& use) {
    MappedFile file(path);
    if (file.View()) use(file.Text());
}

bool WriteLine(HANDLE file, const char* line, bool lineEnd) {
    DWORD written = 0;
    DWORD length = static_cast<DWORD>(strlen(line));
    bool ok = length == 0 || (WriteFile(file, line, length, &written, nullptr) && written == length);
    if (lineEnd) ok = WriteFile(file, "\r\n", 2, &written, nullptr) && written == 2 && ok;
    return ok;
}
