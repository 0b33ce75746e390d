// The machine's limit for an installer under Wine: a bare CopyFileA loop and a bare DeleteFileA
// loop over a list of files, with nothing else around them.
//   copy_loop_bench.exe copy LIST SOURCE_FOLDER TARGET_FOLDER
//   copy_loop_bench.exe delete LIST TARGET_FOLDER
// LIST names one file a line relative to the folders ("D01\f0000.dat"). Prints the seconds
// taken and the failures; exit code 1 when any file failed.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace {
double Seconds() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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

int CopyAll(const std::vector<std::string>& names, const std::string& source, const std::string& target) {
    int failures = 0;
    CreateDirectoryA(target.c_str(), nullptr);
    std::set<std::string> made;
    for (const std::string& name : names) {
        std::string folder = FolderOf(name);
        if (!folder.empty() && made.insert(folder).second) CreateDirectoryA((target + "\\" + folder).c_str(), nullptr);
        if (!CopyFileA((source + "\\" + name).c_str(), (target + "\\" + name).c_str(), FALSE)) ++failures;
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
    bool copy = argc == 5 && strcmp(argv[1], "copy") == 0;
    bool remove = argc == 4 && strcmp(argv[1], "delete") == 0;
    if (!copy && !remove) {
        fprintf(stderr, "usage: copy_loop_bench copy LIST SOURCE TARGET | delete LIST TARGET\n");
        return 2;
    }
    std::vector<std::string> names;
    if (!ReadList(argv[2], names)) {
        fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    double start = Seconds();
    int failures = copy ? CopyAll(names, argv[3], argv[4]) : DeleteAll(names, argv[3]);
    printf("%s: %zu files, %d failed, %.3f s\n", argv[1], names.size(), failures, Seconds() - start);
    return failures ? 1 : 0;
}
