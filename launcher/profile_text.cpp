#include "launcher/profile_text.h"

#include <cstdint>
#include "installer/core/code_page.h"
#include <strings.h>

namespace {
std::string Trimmed(const std::string& s) {
    size_t begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    size_t end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return EqualNoCase(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()));
}
}  // namespace

int ProfileInteger(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    uint32_t value = 0;   // unsigned: long digit runs wrap instead of overflowing
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

ProfileText::ProfileText(const std::string& text) {
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            int close = FindChar(line.c_str(), static_cast<int>(line.size()), ']', 1);
            sections_.push_back({Trimmed(line.substr(1, close < 0 ? std::string::npos : static_cast<size_t>(close - 1))), {}});
            continue;
        }
        if (sections_.empty()) continue;   // lines before the first section belong to none
        size_t eq = line.find('=');
        if (eq != std::string::npos) line = Trimmed(line.substr(0, eq)) + "=" + Trimmed(line.substr(eq + 1));
        sections_.back().lines.push_back(line);
    }
}

const ProfileText::Section* ProfileText::Find(const std::string& name) const {
    for (const Section& s : sections_)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

const std::string* ProfileText::Value(const std::string& section, const char* key) const {
    const Section* s = Find(section);
    if (!s) return nullptr;
    std::string wanted(key);
    for (const std::string& line : s->lines) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && SameName(line.substr(0, eq), wanted)) return &line;
    }
    return nullptr;
}

std::vector<std::string> ProfileText::SectionLines(const std::string& section, size_t maxChars) const {
    std::vector<std::string> lines;
    const Section* s = Find(section);
    if (!s) return lines;
    size_t used = 0;
    for (const std::string& line : s->lines) {
        // Each line costs its length and a terminator, as in the Windows section buffer.
        if (used + line.size() + 1 > maxChars) break;
        used += line.size() + 1;
        lines.push_back(line);
    }
    return lines;
}

int ProfileText::Int(const std::string& section, const char* key, int fallback) const {
    const std::string* line = Value(section, key);
    if (!line) return fallback;
    return ProfileInteger(line->substr(line->find('=') + 1));
}

std::string ProfileText::String(const std::string& section, const char* key,
                                const std::string& fallback, size_t bufferSize) const {
    const std::string* line = Value(section, key);
    std::string value = line ? line->substr(line->find('=') + 1) : fallback;
    if (bufferSize == 0) return "";
    if (value.size() > bufferSize - 1) value.resize(static_cast<size_t>(CharBoundaryCut(value.c_str(), static_cast<int>(bufferSize - 1))));
    return value;
}
