// File entry and "CopyFolder" lines over arbitrary text. Whatever was read must read
// back the same from the written line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/script/file_entry_line.h"

namespace {
bool Same(const FileEntryLine& a, const FileEntryLine& b) {
    return a.displayName == b.displayName.c_str() && a.diskId == b.diskId && a.sourceDirId == b.sourceDirId &&
           a.sourceName == b.sourceName.c_str() && a.destDirId == b.destDirId && a.destName == b.destName.c_str() &&
           a.spareFlag == b.spareFlag && a.removeOnUninstall == b.removeOnUninstall && a.installMode == b.installMode;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    FileEntryLine entry = ParseFileEntryLine(text.c_str());
    FileEntryLine back = ParseFileEntryLine(WriteFileEntryLine(entry));
    if (!Same(entry, back)) abort();
    CopyFolderLine folder = ParseCopyFolderLine(text.c_str());
    FileEntryLine found = ParseFileEntryLine(CopyFolderEntryText(folder, "name,with comma.txt"));
    if (!(found.destName == "name,with comma.txt")) abort();
    return 0;
}
