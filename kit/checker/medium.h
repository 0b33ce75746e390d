#pragma once
// The distribution medium as a folder of the build machine, looked at the way Windows
// looks at it: names compared without regard to case, "\" and "/" both separate folders.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Medium {
public:
    explicit Medium(const std::string& root);
    bool Exists() const;

    // The medium path ("Driver\\x64\\ZTUSB.SY_", relative to the root) as it is spelt on the
    // medium ("Driver/x64/ZTUSB.SY_"); "" when there is no such file or folder.
    std::string Find(const std::string& relative) const;
    bool IsFile(const std::string& relative) const;
    bool IsFolder(const std::string& relative) const;
    // Size in bytes of a file; -1 when it is missing.
    int64_t FileSize(const std::string& relative) const;
    bool Read(const std::string& relative, std::string& bytes) const;
    // The first bytes of a file (fewer when it is shorter); false when it is missing.
    bool ReadHead(const std::string& relative, size_t count, std::string& bytes) const;
    // Names of the files (not folders) of a folder that match a pattern with "*" and "?".
    std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern) const;
    // Names of the folders and files directly in a folder (as spelt on the medium).
    std::vector<std::string> Entries(const std::string& folder) const;

private:
    struct Entry { std::string name; bool folder; };
    struct Listing {
        std::vector<Entry> entries;                  // as the folder lists them
        std::multimap<std::string, size_t> byName;   // upper-case name to entry
    };
    const Listing& ListingOf(const std::string& spelt) const;
    // The entry a medium path names and its spelling; null for the root or a missing path.
    const Entry* FindEntry(const std::string& relative, std::string& spelt, bool& root) const;
    std::string HostPath(const std::string& spelt) const;
    std::string root_;
    mutable std::map<std::string, Listing> listings_;   // by spelt folder path
};

// Both in ASCII upper case: the comparison Windows file names get.
bool SameNameNoCase(const std::string& a, const std::string& b);
// "*" any run of characters, "?" any one; letters in either case.
bool MatchesWildcard(const std::string& name, const std::string& pattern);
// A medium path split at "\" and "/", empty parts and "." dropped; ".." leaves the medium: false.
bool SplitMediumPath(const std::string& relative, std::vector<std::string>& parts);
