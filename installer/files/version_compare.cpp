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
