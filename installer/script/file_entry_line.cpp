#include "installer/script/file_entry_line.h"

#include "installer/script/script_reader.h"

FileEntryLine ParseFileEntryLine(const char* entryText) {
    FileEntryLine entry;
    StrBuf rest(entryText);
    if (rest.IsEmpty()) return entry;
    entry.displayName = NextField(rest, ',', true);
    if (rest.IsEmpty()) return entry;
    entry.diskId = ParseDecimal(NextField(rest, '-', true));
    if (rest.IsEmpty()) return entry;
    entry.sourceDirId = ParseDecimal(NextField(rest, ':', true));
    if (rest.IsEmpty()) return entry;
    entry.sourceName = NextField(rest, ',', true);
    if (rest.IsEmpty()) return entry;
    entry.destDirId = ParseDecimal(NextField(rest, ':', true));
    if (rest.IsEmpty()) return entry;
    entry.destName = NextField(rest, ',', true);
    if (rest.IsEmpty()) return entry;
    entry.spareFlag = ReadYesNo(rest);
    if (rest.IsEmpty()) return entry;
    entry.removeOnUninstall = ReadYesNo(rest);
    if (rest.IsEmpty()) return entry;
    entry.installMode = ReadNumber(rest);
    return entry;
}


StrBuf WriteFileEntryLine(const FileEntryLine& e) {
    StrBuf line;
    // A negative disk id holds the "-" that ends its field: quoted, it reads back.
    StrBuf diskId;
    diskId.Format("%d", e.diskId);
    line.Format("%s,%s-%d:%s,%d:%s,%c,%c,%d", QuotedField(e.displayName).c_str(), QuotedField(diskId).c_str(), e.sourceDirId,
                QuotedField(e.sourceName).c_str(), e.destDirId, QuotedField(e.destName).c_str(), YesNoLetter(e.spareFlag),
                YesNoLetter(e.removeOnUninstall), e.installMode);
    return line;
}

CopyFolderLine ParseCopyFolderLine(const char* value) {
    CopyFolderLine line;
    StrBuf rest(value);
    line.diskId = ParseDecimal(NextField(rest, '-', true));
    line.sourceDirId = ParseDecimal(NextField(rest, ':', true));
    line.pattern = NextField(rest, ',', true);   // taken whole: a cut pattern would match other files
    line.destDirId = ParseDecimal(NextField(rest, ',', true));
    line.tail = rest;
    return line;
}

StrBuf CopyFolderEntryText(const CopyFolderLine& line, const char* fileName) {
    StrBuf text;
    StrBuf name = QuotedField(StrBuf(fileName));
    text.Format("%s,%d-%d:%s,%d:%s,%s", name.c_str(), line.diskId, line.sourceDirId, name.c_str(), line.destDirId,
                name.c_str(), line.tail.c_str());
    return text;
}
