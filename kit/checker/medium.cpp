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

namespace {
std::string Upper(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return upper;
}
}  // namespace

const Medium::Listing& Medium::ListingOf(const std::string& spelt) const {
    auto found = listings_.find(spelt);
    if (found != listings_.end()) return found->second;
    Listing& listing = listings_[spelt];
    std::error_code error;
    for (fs::directory_iterator it(HostPath(spelt), error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        listing.entries.push_back({it->path().filename().string(), it->is_directory(kindError)});
        listing.byName.emplace(Upper(listing.entries.back().name), listing.entries.size() - 1);
    }
    return listing;
}

const Medium::Entry* Medium::FindEntry(const std::string& relative, std::string& spelt, bool& root) const {
    spelt.clear();
    root = false;
    std::vector<std::string> parts;
    if (!SplitMediumPath(relative, parts)) return nullptr;
    root = parts.empty();
    const Entry* match = nullptr;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Listing& listing = ListingOf(spelt);
        auto range = listing.byName.equal_range(Upper(parts[i]));
        match = nullptr;
        for (auto it = range.first; it != range.second && !match; ++it) {
            const Entry& entry = listing.entries[it->second];
            if (entry.folder || i + 1 == parts.size()) match = &entry;
        }
        if (!match) return nullptr;
        spelt = spelt.empty() ? match->name : spelt + "/" + match->name;
    }
    return match;
}

std::string Medium::Find(const std::string& relative) const {
    std::string spelt;
    bool root;
    const Entry* entry = FindEntry(relative, spelt, root);
    return root ? "." : entry ? spelt : "";
}

// The listing knows what is a folder: no file is looked at again.
bool Medium::IsFolder(const std::string& relative) const {
    std::string spelt;
    bool root;
    const Entry* entry = FindEntry(relative, spelt, root);
    return root ? Exists() : entry && entry->folder;
}

bool Medium::IsFile(const std::string& relative) const {
    std::string spelt;
    bool root;
    const Entry* entry = FindEntry(relative, spelt, root);
    return entry && !entry->folder;
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
    for (const Entry& entry : ListingOf(spelt == "." ? "" : spelt).entries) names.push_back(entry.name);
    return names;
}

std::vector<std::string> Medium::FilesMatching(const std::string& folder, const std::string& pattern) const {
    std::vector<std::string> names;
    std::string spelt = Find(folder);
    if (spelt.empty()) return names;
    for (const Entry& entry : ListingOf(spelt == "." ? "" : spelt).entries)
        if (!entry.folder && MatchesWildcard(entry.name, pattern)) names.push_back(entry.name);
    return names;
}
