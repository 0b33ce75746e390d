#include "installer/core/language.h"

int ThreadLanguageFor(int systemLangId) { return (systemLangId & 0x3FF) | 0x400; }

int FontCharsetFor(int systemLangId) {
    int primary = systemLangId & 0x3FF;
    int sub = (systemLangId >> 10) & 0x3F;
    if (primary == 4) {
        if (sub == 1 || sub == 3 || sub == 5) return 136;
        if (sub == 2 || sub == 4) return 134;
        return 1;
    }
    if (primary == 17) return 128;
    return 1;
}

namespace {
const LanguageSuffixRow kSuffixes[] = {
    {1, ".ara"},    {1028, ".cht"}, {3076, ".cht"}, {5124, ".cht"}, {2052, ".chs"}, {4100, ".chs"},
    {5, ".czc"},    {19, ".nld"},   {9, ".enu"},    {37, ".est"},   {8, ".ell"},    {11, ".fin"},
    {12, ".fra"},   {7, ".deu"},    {14, ".hng"},   {33, ".ind"},   {16, ".ita"},   {17, ".jpn"},
    {18, ".kor"},   {63, ".kzk"},   {39, ".lth"},   {62, ".msl"},   {20, ".nor"},   {21, ".plk"},
    {1046, ".bra"}, {22, ".ptg"},   {24, ".rom"},   {25, ".rus"},   {10, ".esp"},   {26, ".srb"},
    {29, ".sve"},   {30, ".tha"},   {31, ".trk"},   {34, ".urk"},
};
}  // namespace

const char* SuffixFromTable(const LanguageSuffixRow* rows, size_t count, unsigned languageId) {
    unsigned primary = languageId & 0x3FF;
    for (size_t i = 0; i < count; ++i)
        if (rows[i].id == languageId || rows[i].id == primary) return rows[i].suffix;
    return "";
}

const char* LanguageSuffixFor(int systemLangId) {
    return SuffixFromTable(kSuffixes, sizeof kSuffixes / sizeof kSuffixes[0], static_cast<unsigned>(systemLangId));
}
