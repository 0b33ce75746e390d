#pragma once
// How the system's default language id shapes the run: the thread locale for
// resources, the font character set and the script's section-name suffix.
#include <cstddef>
#include "installer/core/strbuf.h"

// Primary language with the default sub-language: (id AND 0x3FF) OR 0x400.
int ThreadLanguageFor(int systemLangId);
// 136 Big5, 134 GB2312, 128 Shift-JIS, otherwise 1 (default character set).
int FontCharsetFor(int systemLangId);
// The setup script's section suffix: the first row of its table equal to the full id or to
// its primary language; "" when none.
const char* LanguageSuffixFor(int systemLangId);

// A table of language suffixes, scanned from the top: a row holds a full language id or a
// primary language (its low 10 bits), so full ids stand before the primary rows that would
// also match them.
struct LanguageSuffixRow { unsigned id; const char* suffix; };
// The suffix of the first row whose id is the whole id or its primary language; "" when none.
const char* SuffixFromTable(const LanguageSuffixRow* rows, size_t count, unsigned languageId);
