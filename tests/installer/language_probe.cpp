// Prints the language facts start-up derives from the system's default language.
#include <cstdio>
#include <windows.h>
#include "installer/core/messages.h"
#include "installer/run/startup.h"

int main() {
    SetThreadLanguage();
    printf("system=%d thread=%lu suffix=%s charset=%d\n", SystemLanguageId(),
           static_cast<unsigned long>(LANGIDFROMLCID(GetThreadLocale())), LanguageSuffix().c_str(), FontCharset());
    return 0;
}
