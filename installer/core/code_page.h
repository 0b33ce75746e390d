#pragma once
// Characters of the ANSI code page that all text is in. In the double-byte code pages of
// Japan (932), China (936), Korea (949) and Taiwan (950) a lead byte and the byte after it
// form one character, and that second byte may have the code of "\", "[", "]", "|" or a
// letter. Walking, cutting, searching and comparing text therefore steps over whole
// characters. The text layer cannot ask the system which bytes lead: start-up hands it the
// system's answers, tests choose a code page by number.

// The lead bytes of one of the double-byte pages above; any other page is single-byte.
// Returns false (and sets the single-byte rule) for a page it does not know.
bool UseCodePage(int codePage);
// The lead bytes as the system reports them (isLead[b] for every byte value b).
void UseLeadBytes(const bool isLead[256]);
// The lead-byte ranges as the system lists them for a code page (pairs of first and last
// byte, ended by a pair of zeros or by the end of the list) turned into isLead.
void LeadBytesFromRanges(const unsigned char* ranges, int count, bool isLead[256]);

bool IsLeadByte(char c);
// True when the rule in force has lead bytes at all.
bool HasLeadBytes();

// Bytes of the character that starts at text: 0 at the end, 2 for a lead byte with a
// trail byte, 1 otherwise (also for a lead byte the text ends after).
int CharLength(const char* text);
const char* NextChar(const char* text);
// The start of the character that ends just before `at` (text itself when at <= text).
const char* PrevChar(const char* text, const char* at);

// Position of the first character c at or after `start`, or of the last one, in the first
// `length` bytes of text; c is a single-byte character. -1 when there is none.
int FindChar(const char* text, int length, char c, int start);
int FindLastChar(const char* text, int length, char c);
// Position of the first occurrence of `part` that starts on a character boundary.
int FindText(const char* text, int length, const char* part, int start);

// Whether the last character of the first `length` bytes of text is the single-byte c.
bool EndsWithChar(const char* text, int length, char c);
// Whether the last character of text is a backslash; the position of the last backslash.
bool EndsWithSeparator(const char* path);
int LastSeparator(const char* path);

// The longest prefix of at most `limit` bytes that ends on a character boundary.
int CharBoundaryCut(const char* text, int limit);
// The length of a text the system cut at a byte count, less a lead byte the cut parted
// from its trail byte.
int WithoutSplitChar(const char* text, int length);
// Copies text into a buffer of `size` bytes, cut before a character that would not fit
// whole, and NUL-terminated; returns the bytes copied.
int CopyWholeChars(char* buffer, int size, const char* text);

// The counted texts are equal, ASCII letters in either case alike; a double-byte character
// must match both of its bytes exactly (its trail byte may have a letter's code).
bool EqualNoCase(const char* a, int aLength, const char* b, int bLength);

// Letters A to Z in upper case, double-byte characters left as they are.
void UpperCaseInPlace(char* text);
void LowerCaseInPlace(char* text);
