#pragma once
// A read-only view of a whole file, used as the script reader's text.
#include <windows.h>
#include "installer/core/handles.h"
#include "installer/script/script_reader.h"

class MappedFile {
public:
    MappedFile() = default;
    explicit MappedFile(const char* path) { Open(path); }
    ~MappedFile() { Close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Open(const char* path);    // on failure everything opened is closed and the view is null
    void Close();
    const char* View() const { return view_; }
    ScriptText Text() const;        // empty when the file could not be opened
private:
    FileHandle file_;
    KernelHandle mapping_;
    const char* view_ = nullptr;
    size_t size_ = 0;
};

// "*include=Section,File" through file mappings.
class MappedIncludeFiles : public IncludeFiles {
public:
    void WithFile(const char* path, const std::function<void(const ScriptText&)>& use) override;
};

// Writes the line and, when asked, CR LF. False when the file did not take it all.
bool WriteLine(HANDLE file, const char* line, bool lineEnd = true);
