#pragma once
// How the system's default language id shapes the run: the thread locale for
// resources, the font character set and the script's section-name suffix.
#include "installer/core/strbuf.h"

// Primary language with the default sub-language: (id AND 0x3FF) OR 0x400.
int ThreadLanguageFor(int systemLangId);
// 136 Big5, 134 GB2312, 128 Shift-JIS, otherwise 1 (default character set).
int FontCharsetFor(int systemLangId);
// First table entry equal to the full id or to its primary language; "" when none.
const char* LanguageSuffixFor(int systemLangId);
