// Any text as an INI entry line and as INI file pieces: reading, writing back and rewriting
// must neither crash nor read out of bounds, and a written line must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/files/ini_entry.h"
#include "installer/files/ini_rewrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    IniEntry entry = ReadIniEntry(text.c_str());
    StrBuf line = FormatIniEntry(entry);
    // Without quotes every field is trimmed and free of its separator, so it reads back the same.
    bool unquoted = text.find('"') == std::string::npos;
    if (unquoted && FormatIniEntry(ReadIniEntry(line)) != line.c_str()) abort();

    TextPieces pieces;
    for (size_t at = 0; at < text.size(); at += kIniPieceSize - 1)
        pieces.push_back(StrBuf(text.substr(at, kIniPieceSize - 1).c_str()));
    AddLineRewrite(pieces, entry.section, entry.key, entry.value);
    RemoveLineRewrite(pieces, entry.section, entry.key, entry.value);
    IsAnySectionHeader(text.c_str());
    CutWordNoCase(text.c_str(), entry.value);
    EffectiveIniValue(entry, entry.file);
    return 0;
}
