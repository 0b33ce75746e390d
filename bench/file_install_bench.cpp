// Installs 2,000 files of mixed sizes through InstallFileEntry and copies the same files with
// a bare CopyFileA loop, then prints both times and their ratio.
//   file_install_bench.exe WORK_FOLDER [FILES]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <windows.h>
#include "installer/files/file_install.h"

#include "bench_clock.h"

namespace {
// 512 bytes to 64 KB in turn, and 1 MB for every hundredth file.
size_t SizeOf(int i) { return i % 100 == 99 ? (1u << 20) : (512u << (i % 8)); }

bool MakeSources(const std::string& folder, int count, std::vector<std::string>& names) {
    std::vector<char> bytes(1u << 20);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 7));
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "file%04d.bin", i);
        names.push_back(name);
        HANDLE f = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(SizeOf(i)), &written, nullptr);
        CloseHandle(f);
        if (!ok) return false;
    }
    return true;
}

int Quiet(unsigned, uintptr_t, uintptr_t, void*) { return 0; }

void RemoveFiles(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: file_install_bench WORK_FOLDER [FILES]\n");
        return 2;
    }
    std::string work = argv[1];
    int count = argc > 2 ? atoi(argv[2]) : 2000;
    if (count <= 0 || count > 100000) count = 2000;
    std::string source = work + "\\source", installed = work + "\\installed", copied = work + "\\copied";
    CreateDirectoryA(work.c_str(), nullptr);
    for (const std::string& folder : {source, installed, copied}) CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> names;
    if (!MakeSources(source, count, names)) {
        fprintf(stderr, "cannot write the source files\n");
        return 1;
    }

    double start = Seconds();
    int failures = 0;
    DirEntry sourceFolder;
    sourceFolder.path = source.c_str();
    for (const std::string& name : names) {
        FileInstallItem item;
        item.displayName = name.c_str();
        item.destResolved = true;
        item.sourceDir = &sourceFolder;
        item.sourceName = name.c_str();
        item.destDir = installed.c_str();
        item.destName = name.c_str();
        if (!InstallFileEntry(item, Quiet, nullptr)) ++failures;
    }
    double installSeconds = Seconds() - start;

    start = Seconds();
    for (const std::string& name : names)
        if (!CopyFileA((source + "\\" + name).c_str(), (copied + "\\" + name).c_str(), FALSE)) ++failures;
    double copySeconds = Seconds() - start;

    printf("files:            %d (%d failed)\n", count, failures);
    printf("InstallFileEntry: %.3f s\n", installSeconds);
    printf("CopyFileA loop:   %.3f s\n", copySeconds);
    printf("ratio:            %.2f\n", copySeconds > 0 ? installSeconds / copySeconds : 0.0);
    for (const std::string& folder : {source, installed, copied}) RemoveFiles(folder, names);
    RemoveDirectoryA(work.c_str());
    return failures ? 1 : 0;
}
