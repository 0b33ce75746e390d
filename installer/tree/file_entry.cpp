#include "installer/tree/file_entry.h"

#include "installer/files/file_install.h"
#include "installer/record/file_removal.h"

FileEntry::FileEntry(ScriptNode* owner, int kind, const char* entryText)
    : EntryNode(owner, kind), fields(ParseFileEntryLine(entryText)) {
    diskId = fields.diskId;
    sourceDirId = fields.sourceDirId;
    destDirId = fields.destDirId;
}

bool FileEntry::InstallEntry(ProgressCallback callback, void* context) {
    FileInstallItem item;
    item.displayName = fields.displayName;
    item.hasDisk = disk != nullptr;
    if (disk) item.diskLabel = disk->label;
    item.sourceDir = sourceDir;
    item.sourceName = fields.sourceName;
    item.destResolved = destDir != nullptr;
    if (destDir) item.destDir = destDir->path;
    item.destName = fields.destName;
    item.installMode = fields.installMode;
    bool ok = InstallFileEntry(item, callback, context);
    if (!item.installedLocation.IsEmpty()) installedLocation = item.installedLocation;
    return ok;
}

bool FileEntry::RemoveEntry(ProgressCallback callback, void* context) {
    RemovalItem item;
    item.displayName = fields.displayName;
    item.destName = fields.destName;
    item.removeOnUninstall = fields.removeOnUninstall;
    item.resolved = sourceDir != nullptr && destDir != nullptr;
    if (destDir) item.destDir = destDir->path;
    return RemoveFileEntry(item, callback, context);
}
