#include "installer/files/ini_rewrite.h"

#include "installer/files/ini_entry.h"

namespace {
bool EndsLine(const StrBuf& piece) { return !piece.IsEmpty() && piece[piece.Length() - 1] == '\n'; }
}  // namespace

IniRewrite AddLineRewrite(const TextPieces& pieces, const char* section, const char* key, const char* value) {
    IniRewrite result;
    size_t i = 0;
    while (i < pieces.size()) {
        result.pieces.push_back(pieces[i]);
        if (IsSectionLineOf(pieces[i++], section)) break;
    }
    for (; i < pieces.size() && !IsAnySectionHeader(pieces[i]); ++i) {
        if (IsEntryLineOf(pieces[i], key, value)) return IniRewrite();   // already there
        result.pieces.push_back(pieces[i]);
    }
    // A last line without its line feed would otherwise be joined to the new one.
    if (!result.pieces.empty() && !EndsLine(result.pieces.back())) result.pieces.push_back("\n");
    StrBuf line(key);
    line += "=";
    line += value;
    line += "\n";
    result.pieces.push_back(line);
    for (; i < pieces.size(); ++i) result.pieces.push_back(pieces[i]);
    result.changed = true;
    return result;
}

IniRewrite RemoveLineRewrite(const TextPieces& pieces, const char* section, const char* key, const char* value) {
    IniRewrite result;
    size_t i = 0;
    while (i < pieces.size()) {
        result.pieces.push_back(pieces[i]);
        if (IsSectionLineOf(pieces[i++], section)) break;
    }
    for (; i < pieces.size(); ++i) {
        if (IsEntryLineOf(pieces[i], key, value)) {
            result.changed = true;
            ++i;
            break;
        }
        result.pieces.push_back(pieces[i]);
        if (IsAnySectionHeader(pieces[i])) { ++i; break; }
    }
    for (; i < pieces.size(); ++i) result.pieces.push_back(pieces[i]);
    return result;
}
