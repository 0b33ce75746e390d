#pragma once
// The two whole-file rewrites of INI entries, over the pieces the file is read in (lines of at
// most 255 characters; a longer line comes as several pieces, copied unchanged). Pure text.
#include <vector>
#include "installer/core/strbuf.h"

using TextPieces = std::vector<StrBuf>;
const int kIniPieceSize = 256;   // read buffer: 255 characters and the NUL

struct IniRewrite {
    bool changed = false;   // false: the file stays as it was
    TextPieces pieces;
};

// The file's bytes in pieces as a line reader with a 256-byte buffer gives them: each ends
// after its line feed or at 255 bytes. Line ends stay as they are ("\r\n" or "\n").
TextPieces SplitIniPieces(const char* bytes, size_t count);
// False for a file the rewrites would damage: one holding a NUL or an end-of-file mark (0x1A)
// anywhere, or starting with a UTF-16 byte-order mark. Such a file is left as it is.
bool IsRewritableIniText(const char* bytes, size_t count);

// Adds "key=value" (ended as the file's lines are) as the last line of the section (at the end of the file when the section
// is missing), unless the section already holds that line.
IniRewrite AddLineRewrite(const TextPieces& pieces, const char* section, const char* key, const char* value);
// Drops the section's first "key=value" line; other lines are copied unchanged.
IniRewrite RemoveLineRewrite(const TextPieces& pieces, const char* section, const char* key, const char* value);
