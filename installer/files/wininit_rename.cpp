#include "installer/files/wininit_rename.h"

#include <cstring>

const char kRenamePlaceholder[] = "DELSETUPEXT";

StrBuf RenameLine(const char* piece, const char* shortDestination) {
    if (!piece) return StrBuf();
    if (!strstr(piece, kRenamePlaceholder)) return StrBuf(piece);
    const char* rest = strchr(piece, '=');
    StrBuf line(shortDestination && *shortDestination ? shortDestination : "NUL");
    line += rest ? rest : "";
    return line;
}
