#pragma once
// Installing one file of a component: finding the source (asking for the medium), plain copy
// of a new file, version-checked installation over an existing one, and replacement at the
// next restart when the file is in use or its entry asks for it.
#include "installer/core/strbuf.h"
#include "installer/files/install_decisions.h"
#include "installer/files/progress_events.h"
#include "installer/files/version_install_service.h"
#include "installer/script/script_tables.h"

const int kReplaceAtRestartMode = 5;

// What installing one file entry needs; the entry fills it from its line and resolved tables.
struct FileInstallItem {
    StrBuf displayName;
    bool hasDisk = false;
    StrBuf diskLabel;
    // The script's own source folder (null: the entry's id named none), read where it is, not
    // copied: after the disk request the medium may be elsewhere, and the entry's folder on it
    // is looked at before the buffer's text.
    const DirEntry* sourceDir = nullptr;
    StrBuf sourceName;
    bool destResolved = false;
    StrBuf destDir;
    StrBuf destName;
    int installMode = 0;           // 5: replace at restart when the destination exists
    VersionInstallFn versionService = nullptr;   // null: the service chosen for this system
    StrBuf installedLocation;      // set to the destination directory once the file is in place
};

// True when the file was installed, skipped or deferred and the user did not cancel.
bool InstallFileEntry(FileInstallItem& item, ProgressCallback callback, void* context);
// Runs the version service on the request's files, putting doubtful results to the callback.
InstallOutcome VersionCheckedInstall(ProgressCallback callback, void* context, const FileCopyRequest& request,
                                     VersionInstallFn service = nullptr);
