#pragma once
// "setup.inf" read through the Windows private-profile functions.
#include "launcher/profile_source.h"

class ProfileFile : public ProfileSource {
public:
    explicit ProfileFile(const std::string& path) : path_(path) {}
    std::vector<std::string> SectionLines(const std::string& section, size_t maxChars) const override;
    int Int(const std::string& section, const char* key, int fallback) const override;
    std::string String(const std::string& section, const char* key,
                       const std::string& fallback, size_t bufferSize) const override;
private:
    std::string path_;
};
