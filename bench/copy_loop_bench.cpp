// The machine's limit for an installer under Wine: a bare CopyFileA loop and a bare DeleteFileA
// loop over a list of files, with nothing else around them.
//   copy_loop_bench.exe copy LIST SOURCE_FOLDER TARGET_FOLDER
//   copy_loop_bench.exe delete LIST TARGET_FOLDER
//   copy_loop_bench.exe lzcopy LIST SOURCE_FOLDER TARGET_FOLDER   the copy through LZOpenFileA/LZCopy
//   copy_loop_bench.exe snapshots COUNT        COUNT process snapshots walked to their end
// The last two isolate what the installer does per file beyond the bare loops.
// LIST names one file a line relative to the folders ("D01\f0000.dat"). Prints the seconds
// taken and the failures; exit code 1 when any file failed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>
#include <windows.h>
#include <lzexpand.h>
#include <tlhelp32.h>

#include "bench_clock.h"

namespace {
bool ReadList(const char* path, std::vector<std::string>& names) {
    FILE* list = fopen(path, "rb");
    if (!list) return false;
    char line[1024];
    while (fgets(line, sizeof line, list)) {
        size_t n = strcspn(line, "\r\n");
        line[n] = 0;
        if (n > 0) names.push_back(line);
    }
    fclose(list);
    return true;
}

std::string FolderOf(const std::string& name) {
    size_t slash = name.rfind('\\');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

bool LzCopy(const std::string& source, const std::string& target) {
    OFSTRUCT sourceInfo{}, targetInfo{};
    INT from = LZOpenFileA(const_cast<char*>(source.c_str()), &sourceInfo, OF_READ);
    if (from < 0) return false;
    INT to = LZOpenFileA(const_cast<char*>(target.c_str()), &targetInfo, OF_CREATE);
    LONG copied = to >= 0 ? LZCopy(from, to) : -1;
    if (to >= 0) LZClose(to);
    LZClose(from);
    return copied >= 0;
}

int CopyAll(const std::vector<std::string>& names, const std::string& source, const std::string& target, bool lz) {
    int failures = 0;
    CreateDirectoryA(target.c_str(), nullptr);
    std::set<std::string> made;
    for (const std::string& name : names) {
        std::string folder = FolderOf(name);
        if (!folder.empty() && made.insert(folder).second) CreateDirectoryA((target + "\\" + folder).c_str(), nullptr);
        std::string from = source + "\\" + name, to = target + "\\" + name;
        if (!(lz ? LzCopy(from, to) : CopyFileA(from.c_str(), to.c_str(), FALSE) != 0)) ++failures;
    }
    return failures;
}

int Snapshots(int count) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) {
            ++failures;
            continue;
        }
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        }
        CloseHandle(snapshot);
    }
    return failures;
}

int DeleteAll(const std::vector<std::string>& names, const std::string& target) {
    int failures = 0;
    std::set<std::string> folders;
    for (const std::string& name : names) {
        if (!DeleteFileA((target + "\\" + name).c_str())) ++failures;
        folders.insert(FolderOf(name));
    }
    for (const std::string& folder : folders)
        if (!folder.empty()) RemoveDirectoryA((target + "\\" + folder).c_str());
    RemoveDirectoryA(target.c_str());
    return failures;
}
}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    bool copy = argc == 5 && (mode == "copy" || mode == "lzcopy");
    bool remove = argc == 4 && mode == "delete";
    bool snapshots = argc == 3 && mode == "snapshots";
    if (!copy && !remove && !snapshots) {
        fprintf(stderr, "usage: copy_loop_bench copy|lzcopy LIST SOURCE TARGET | delete LIST TARGET | snapshots COUNT\n");
        return 2;
    }
    std::vector<std::string> names;
    int count = snapshots ? atoi(argv[2]) : 0;
    if (snapshots && (count < 1 || count > 1000000)) return 2;
    if (!snapshots && !ReadList(argv[2], names)) {
        fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    double start = Seconds();
    int failures = snapshots ? Snapshots(count)
                   : copy    ? CopyAll(names, argv[3], argv[4], mode == "lzcopy")
                             : DeleteAll(names, argv[3]);
    printf("%s: %d items, %d failed, %.3f s\n", argv[1], snapshots ? count : static_cast<int>(names.size()), failures,
           Seconds() - start);
    return failures ? 1 : 0;
}
