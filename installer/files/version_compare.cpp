#include "installer/files/version_compare.h"

#include "installer/files/progress_events.h"

unsigned VersionConflictBits(const VersionFacts& source, const VersionFacts& destination) {
    if (!source.hasFixedInfo || !destination.hasFixedInfo) return 0;
    unsigned bits = 0;
    if (source.fileVersion < destination.fileVersion) bits |= VIF_SRCOLD_BIT;
    if (source.fileType != destination.fileType) bits |= VIF_DIFFTYPE_BIT;
    if (source.hasTranslation && destination.hasTranslation) {
        if (source.language != destination.language) bits |= VIF_DIFFLANG_BIT;
        if (source.codePage != destination.codePage) bits |= VIF_DIFFCODEPG_BIT;
    }
    if (bits) bits |= VIF_MISMATCH_BIT;
    return bits;
}

unsigned VersionBitsForCopyError(long lzError) {
    switch (lzError) {
    case -1:   // LZERROR_BADINHANDLE
    case -3:   // LZERROR_READ
    case -7:   // LZERROR_BADVALUE
    case -8:   // LZERROR_UNKNOWNALG
        return VIF_CANNOTREADSRC_BIT;
    case -2: return VIF_CANNOTCREATE_BIT;    // LZERROR_BADOUTHANDLE
    case -4: return VIF_OUTOFSPACE_BIT;      // LZERROR_WRITE
    case -5:                                 // LZERROR_GLOBALLOC
    case -6: return VIF_OUTOFMEMORY_BIT;     // LZERROR_GLOBLOCK
    default: return VIF_CANNOTCREATE_BIT;
    }
}
