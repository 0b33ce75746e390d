#include "launcher/language_suffix.h"

#include "installer/core/language.h"

namespace {
// Searched from the top: the full Chinese ids come before any primary language.
const LanguageSuffixRow kLauncherSuffixes[] = {
    {0x0404, ".cht"}, {0x0C04, ".cht"}, {0x1404, ".cht"},
    {0x0804, ".chs"}, {0x1004, ".chs"},
    {0x07, ".deu"}, {0x0A, ".esp"}, {0x0C, ".fra"}, {0x10, ".ita"}, {0x11, ".jpn"},
    {0x12, ".kor"}, {0x15, ".plk"}, {0x01, ".ara"}, {0x0B, ".fin"}, {0x08, ".ell"},
    {0x21, ".ind"}, {0x18, ".rom"}, {0x19, ".rus"}, {0x1D, ".sve"}, {0x1E, ".tha"},
    {0x1F, ".trk"}, {0x3E, ".msl"}, {0x13, ".nld"}, {0x14, ".nor"}, {0x09, ".enu"},
    {0x16, ".ptg"},
};
}  // namespace

const char* LauncherLanguageSuffixFor(unsigned languageId) {
    return SuffixFromTable(kLauncherSuffixes, sizeof kLauncherSuffixes / sizeof kLauncherSuffixes[0], languageId);
}
