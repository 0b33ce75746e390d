#include "launcher/profile_file.h"

#include <windows.h>

std::vector<std::string> ProfileFile::SectionLines(const std::string& section, size_t maxChars) const {
    std::vector<std::string> lines;
    std::vector<char> buffer(maxChars + 1, '\0');
    DWORD count = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                            path_.c_str());
    // Lines end with a zero each; a cut buffer ends with two zeros at its end anyway.
    size_t pos = 0;
    while (pos < count && pos < buffer.size() && buffer[pos] != '\0') {
        std::string line(buffer.data() + pos);
        pos += line.size() + 1;
        lines.push_back(std::move(line));
    }
    return lines;
}

int ProfileFile::Int(const std::string& section, const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key, fallback, path_.c_str()));
}

std::string ProfileFile::String(const std::string& section, const char* key, const std::string& fallback,
                                size_t bufferSize) const {
    std::vector<char> buffer(bufferSize + 1, '\0');
    GetPrivateProfileStringA(section.c_str(), key, fallback.c_str(), buffer.data(), static_cast<DWORD>(bufferSize),
                             path_.c_str());
    return std::string(buffer.data());
}
