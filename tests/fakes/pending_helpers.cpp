// TEMPORARY: minimal versions of helpers whose real implementations are being built
// in parallel (registry key trees, directory trees). Linked into instally_lib so that
// the programs and tests link until those are merged; delete this file then.
#include <windows.h>
#include <string>
#include "installer/files/disk_and_directories.h"
#include "installer/registry/registry_keys.h"

LONG DeleteKeyTree(HKEY root, const char* path) {
    HKEY key;
    if (RegOpenKeyA(root, path, &key) == ERROR_SUCCESS) {
        char name[256];
        while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS)
            if (DeleteKeyTree(key, name) != ERROR_SUCCESS) break;
        RegCloseKey(key);
    }
    return RegDeleteKeyA(root, path);
}

bool DirectoryExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryTree(const char* path) {
    std::string text(path);
    for (size_t i = 3; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\\') continue;
        std::string part = text.substr(0, i);
        if (!DirectoryExists(part.c_str()) && !CreateDirectoryA(part.c_str(), nullptr)) return false;
    }
    return DirectoryExists(path);
}

bool DeleteDirectoryTree(const char* path, bool deleteFiles) {
    WIN32_FIND_DATAA found;
    std::string pattern = std::string(path) + "\\*";
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = std::string(path) + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteDirectoryTree(child.c_str(), deleteFiles);
            else if (deleteFiles)
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return RemoveDirectoryA(path) != 0;
}
