#pragma once
// Where "setup.inf" values come from: the Windows private-profile functions in the
// program, parsed text in tests and the fuzzer. The reading rules sit on top of this.
#include <string>
#include <vector>

class ProfileSource {
public:
    virtual ~ProfileSource() = default;
    // The section's lines as stored ("key=value"), at most maxChars characters in all;
    // empty when the section is missing or has no lines.
    virtual std::vector<std::string> SectionLines(const std::string& section, size_t maxChars) const = 0;
    // Decimal integer of the key; fallback when the key is missing; 0 when not a number.
    virtual int Int(const std::string& section, const char* key, int fallback) const = 0;
    // The key's value cut to bufferSize - 1 characters; fallback when the key is missing.
    virtual std::string String(const std::string& section, const char* key,
                               const std::string& fallback, size_t bufferSize) const = 0;
};

// Integer text read as the private-profile functions read it: optional sign, decimal
// digits up to the first other character, 0 when there are none; wraps like a DWORD.
int ProfileInteger(const std::string& text);
