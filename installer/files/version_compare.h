#pragma once
// How the project's own version-installation service judges a new file against an existing one.
#include <cstdint>

// What a file's version resource says; hasFixedInfo false when it has none.
struct VersionFacts {
    bool hasFixedInfo = false;
    uint64_t fileVersion = 0;      // major.minor.build.revision, 16 bits each
    uint32_t fileType = 0;         // VFT_ value
    bool hasTranslation = false;
    uint16_t language = 0;         // first entry of the translation table
    uint16_t codePage = 0;
};

// Conflict bits (older, different language, code page or type, each with the mismatch bit) of
// installing source over destination. Files without version information never conflict.
unsigned VersionConflictBits(const VersionFacts& source, const VersionFacts& destination);

// The result bits for a copy of the source that failed with the LZ library's error code
// (LZERROR_ values, negative): a source that cannot be read or expanded (a damaged compressed
// file) is unreadable, not a lack of space; only a failed write is.
unsigned VersionBitsForCopyError(long lzError);
