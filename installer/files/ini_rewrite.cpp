#include "installer/files/ini_rewrite.h"

#include "installer/files/ini_entry.h"

namespace {
bool EndsLine(const StrBuf& piece) { return !piece.IsEmpty() && piece[piece.Length() - 1] == '\n'; }

const char* LineEndOf(const TextPieces& pieces) {
    for (const StrBuf& piece : pieces)
        if (EndsLine(piece)) return piece.Length() >= 2 && piece[piece.Length() - 2] == '\r' ? "\r\n" : "\n";
    return "\n";
}
}  // namespace

TextPieces SplitIniPieces(const char* bytes, size_t count) {
    TextPieces pieces;
    size_t start = 0;
    while (start < count) {
        size_t end = start;
        while (end < count && end - start < kIniPieceSize - 1 && bytes[end] != '\n') ++end;
        if (end < count && bytes[end] == '\n' && end - start < kIniPieceSize - 1) ++end;
        pieces.push_back(StrBuf(bytes + start, static_cast<int>(end - start)));
        start = end;
    }
    return pieces;
}

bool IsRewritableIniText(const char* bytes, size_t count) {
    if (count >= 2) {
        unsigned char a = static_cast<unsigned char>(bytes[0]), b = static_cast<unsigned char>(bytes[1]);
        if ((a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF)) return false;
    }
    for (size_t i = 0; i < count; ++i)
        if (bytes[i] == 0 || bytes[i] == 0x1A) return false;
    return true;
}

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
    const char* lineEnd = LineEndOf(pieces);
    // A last line without its line feed would otherwise be joined to the new one.
    if (!result.pieces.empty() && !EndsLine(result.pieces.back())) result.pieces.push_back(lineEnd);
    StrBuf line(key);
    line += "=";
    line += value;
    line += lineEnd;
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
