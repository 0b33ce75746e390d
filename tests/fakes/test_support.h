#pragma once
// Helpers for the Wine tests: scratch folders, files, and programs run under a time limit.
#include <windows.h>
#include <string>
#include <vector>

// A fresh folder below the prefix's temporary folder, removed with its contents at the end.
class ScratchDir {
public:
    explicit ScratchDir(const char* name);
    ~ScratchDir();
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
private:
    std::string path_;
};

bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);   // "" when missing
bool FileThere(const std::string& path);
// The names in a folder, without "." and ".." (empty when it cannot be listed).
std::vector<std::string> FolderEntries(const std::string& folder);
void RemoveTree(const std::string& path);
std::string TestBinDirectory();
// A host path ("/work/...") as Wine's Z: drive shows it.
std::string WindowsPath(std::string unixPath);

// The current directory for the life of the object (relative names resolve against it).
class InDirectory {
public:
    explicit InDirectory(const std::string& path) {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(path.c_str());
    }
    ~InDirectory() { SetCurrentDirectoryA(previous_); }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
private:
    char previous_[MAX_PATH] = {};
};                    // where the programs of this build are

struct ProgramRun {
    bool started = false;
    bool finished = false;     // false: it was still running at the limit and has been ended
    DWORD exitCode = 0;
};
ProgramRun RunProgram(const std::string& commandLine, DWORD timeoutMs = 30000);
// Top-level windows of a process (visible or not).
int CountProcessWindows(DWORD processId);

// A shell link's properties, read back through the shell's link object (COM initialised).
struct LinkProperties {
    std::string path, description, workingDirectory, arguments;
};
bool ReadShellLink(const std::string& linkPath, LinkProperties& out);

// Dispatches this thread's window messages for about ms milliseconds, as a running program would.
void PumpMessagesFor(DWORD ms);
