// Script candidates for any architecture and version code, and the file-name tests
// that keep the removal from deleting its own program, over arbitrary paths.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include "installer/core/script_candidates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    int architecture, versionCode;
    std::memcpy(&architecture, data, 4);
    std::memcpy(&versionCode, data + 4, 4);
    std::vector<const char*> candidates = ScriptCandidates(architecture, versionCode);
    if (candidates.empty()) abort();
    for (const char* name : candidates)
        if (!name || !*name) abort();

    std::string rest(reinterpret_cast<const char*>(data + 8), size - 8);
    size_t cut = rest.find('\n');
    std::string first = rest.substr(0, cut);
    std::string second = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    first = first.substr(0, first.find('\0'));
    second = second.substr(0, second.find('\0'));
    const char* name = FileNamePart(first.c_str());
    if (name < first.c_str() || name > first.c_str() + first.size()) abort();
    if (SameFileName(first.c_str(), second.c_str()) != SameFileName(second.c_str(), first.c_str())) abort();
    IsScriptName(first.c_str());
    return SameFileName(nullptr, first.c_str()) ? 1 : 0;
}
