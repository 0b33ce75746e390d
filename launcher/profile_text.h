#pragma once
// An INI text held in memory and read like a private-profile file: sections and keys
// compared ignoring case, the first occurrence wins, spaces around keys and values trimmed.
#include "launcher/profile_source.h"

class ProfileText : public ProfileSource {
public:
    explicit ProfileText(const std::string& text);
    std::vector<std::string> SectionLines(const std::string& section, size_t maxChars) const override;
    int Int(const std::string& section, const char* key, int fallback) const override;
    std::string String(const std::string& section, const char* key,
                       const std::string& fallback, size_t bufferSize) const override;
private:
    struct Section { std::string name; std::vector<std::string> lines; };
    const Section* Find(const std::string& name) const;
    const std::string* Value(const std::string& section, const char* key) const;
    std::vector<Section> sections_;
};
