#include "kit/checker/medium.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

bool SameNameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

namespace {
bool Match(const char* name, const char* pattern, int budget) {
    // A bounded walk: each "*" tries every split, which patterns of many stars would multiply.
    if (budget <= 0) return false;
    for (; *pattern; ++name, ++pattern) {
        if (*pattern == '*') {
            while (*pattern == '*') ++pattern;
            if (!*pattern) return true;
            for (const char* rest = name; *rest; ++rest)
                if (Match(rest, pattern, budget / 2)) return true;
            return false;
        }
        if (!*name) return false;
        if (*pattern != '?' && toupper(static_cast<unsigned char>(*pattern)) != toupper(static_cast<unsigned char>(*name)))
            return false;
    }
    return !*name;
}
}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    // "*.*" takes names without a dot too, as FindFirstFile does.
    if (pattern == "*.*") return true;
    return Match(name.c_str(), pattern.c_str(), 1 << 12);
}

bool SplitMediumPath(const std::string& relative, std::vector<std::string>& parts) {
    parts.clear();
    std::string part;
    auto flush = [&]() {
        if (part == "..") return false;
        if (!part.empty() && part != ".") parts.push_back(part);
        part.clear();
        return true;
    };
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!flush()) return false;
        } else {
            part += c;
        }
    }
    return flush();
}

Medium::Medium(const std::string& root) : root_(root) {}

bool Medium::Exists() const {
    std::error_code error;
    return fs::is_directory(root_, error);
}

std::string Medium::HostPath(const std::string& spelt) const { return spelt.empty() ? root_ : root_ + "/" + spelt; }

const std::vector<Medium::Entry>& Medium::Listing(const std::string& spelt) const {
    auto found = listings_.find(spelt);
    if (found != listings_.end()) return found->second;
    std::vector<Entry>& entries = listings_[spelt];
    std::error_code error;
    for (fs::directory_iterator it(HostPath(spelt), error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        entries.push_back({it->path().filename().string(), it->is_directory(kindError)});
    }
    return entries;
}

std::string Medium::Find(const std::string& relative) const {
    std::vector<std::string> parts;
    if (!SplitMediumPath(relative, parts)) return "";
    std::string spelt;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Entry* match = nullptr;
        for (const Entry& entry : Listing(spelt))
            if (SameNameNoCase(entry.name, parts[i]) && (entry.folder || i + 1 == parts.size())) {
                match = &entry;
                break;
            }
        if (!match) return "";
        spelt = spelt.empty() ? match->name : spelt + "/" + match->name;
    }
    return parts.empty() ? "." : spelt;
}

bool Medium::IsFolder(const std::string& relative) const {
    std::string spelt = Find(relative);
    if (spelt.empty()) return false;
    std::error_code error;
    return fs::is_directory(HostPath(spelt == "." ? "" : spelt), error);
}

bool Medium::IsFile(const std::string& relative) const {
    std::string spelt = Find(relative);
    if (spelt.empty() || spelt == ".") return false;
    std::error_code error;
    return fs::is_regular_file(HostPath(spelt), error);
}

int64_t Medium::FileSize(const std::string& relative) const {
    if (!IsFile(relative)) return -1;
    std::error_code error;
    auto size = fs::file_size(HostPath(Find(relative)), error);
    return error ? -1 : static_cast<int64_t>(size);
}

bool Medium::Read(const std::string& relative, std::string& bytes) const {
    if (!IsFile(relative)) return false;
    std::ifstream in(HostPath(Find(relative)), std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    bytes = all.str();
    return true;
}

bool Medium::ReadHead(const std::string& relative, size_t count, std::string& bytes) const {
    if (!IsFile(relative)) return false;
    std::ifstream in(HostPath(Find(relative)), std::ios::binary);
    if (!in) return false;
    bytes.assign(count, '\0');
    in.read(&bytes[0], static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return true;
}

std::vector<std::string> Medium::Entries(const std::string& folder) const {
    std::vector<std::string> names;
    std::string spelt = Find(folder);
    if (spelt.empty()) return names;
    for (const Entry& entry : Listing(spelt == "." ? "" : spelt)) names.push_back(entry.name);
    return names;
}

std::vector<std::string> Medium::FilesMatching(const std::string& folder, const std::string& pattern) const {
    std::vector<std::string> names;
    std::string spelt = Find(folder);
    if (spelt.empty()) return names;
    for (const Entry& entry : Listing(spelt == "." ? "" : spelt))
        if (!entry.folder && MatchesWildcard(entry.name, pattern)) names.push_back(entry.name);
    return names;
}
