#pragma once
// The stand-ins read what to do from a small text file named by an environment variable:
// one "key value" setting per line, "#" starts a comment line.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

inline std::vector<std::string> DescriptionLines(const char* variable) {
    std::vector<std::string> lines;
    char path[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA(variable, path, sizeof path);
    if (n == 0 || n >= sizeof path) return lines;
    FILE* file = fopen(path, "rb");
    if (!file) return lines;
    char line[1024];
    while (fgets(line, sizeof line, file)) {
        size_t len = strlen(line);
        while (len && (line[len - 1] == '\n' || line[len - 1] == '\r')) line[--len] = '\0';
        if (len && line[0] != '#') lines.emplace_back(line);
    }
    fclose(file);
    return lines;
}

// The value of "key value" when the line starts with the key, else "".
inline bool DescriptionValue(const std::string& line, const char* key, std::string& value) {
    size_t keyLength = strlen(key);
    if (line.compare(0, keyLength, key) != 0 || (line.size() > keyLength && line[keyLength] != ' ')) return false;
    value = line.size() > keyLength ? line.substr(keyLength + 1) : std::string();
    return true;
}

// Appends one line to a log shared by several processes.
inline void AppendLogLine(const std::string& logPath, const std::string& text) {
    if (logPath.empty()) return;
    HANDLE file = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 50; ++attempt) {
        Sleep(20);
        file = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) return;
    std::string line = text + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}
