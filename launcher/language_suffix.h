#pragma once
// The suffix of the language variants of "setup.inf" sections (".deu", ".fra", ...): the
// launcher's own table, matched by the rule every suffix table follows (installer/core/language.h).

// Suffix for a Windows language id: the first table row whose id equals the whole id
// or its primary language (low 10 bits); "" when no row matches.
const char* LauncherLanguageSuffixFor(unsigned languageId);
