#pragma once
// One change to an INI file: its line in a component's INI section, its written-back form,
// and the line tests the file rewrites use. Pure text.
#include <vector>
#include "installer/core/strbuf.h"

struct IniEntry {
    StrBuf file;                   // a bare name is in the Windows directory
    StrBuf section;
    StrBuf key;
    int directoryNumber = 0;       // [DstDirs] id; 0 none
    StrBuf value;
    bool appendToValue = false;    // add the value as a word to the key's value
    bool addAsLine = false;        // add a further line with the same key
    bool removeOnUninstall = true;
    bool removeOnInstall = false;  // delete the setting at installation instead
};

// file,section,key,N:value,A,L,U,I; missing fields keep their defaults.
IniEntry ReadIniEntry(const char* line);
StrBuf FormatIniEntry(const IniEntry& entry);
// The value joined to the resolved folder of its directory, or the value alone without one.
StrBuf EffectiveIniValue(const IniEntry& entry, const char* folder);
// An entry without a file, section or key changes nothing.
bool IniEntryHasTarget(const IniEntry& entry);

// Line tests, all ignoring case.
bool IsSectionLineOf(const char* line, const char* section);   // "[section]" anywhere
bool IsAnySectionHeader(const char* line);                      // "[...]" once a ";" comment is cut
bool IsEntryLineOf(const char* line, const char* key, const char* value);

bool ContainsNoCase(const char* text, const char* word);
// text with the first occurrence of word (ignoring case) cut out; the rest left as it was.
StrBuf CutWordNoCase(const char* text, const char* word);
