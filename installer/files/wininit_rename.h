#pragma once
// The rename list of the Windows 95 family's start-up file: how a placeholder line becomes
// an entry. Pure text.
#include "installer/core/strbuf.h"

// Placeholder key under which a new entry is first written through the profile interface.
extern const char kRenamePlaceholder[];   // "DELSETUPEXT"

// A piece read from the file, as it is written back: a piece holding the placeholder key
// becomes the short destination (or "NUL" for a deletion) followed by the piece from its
// first "="; any other piece is returned unchanged.
StrBuf RenameLine(const char* piece, const char* shortDestination);
