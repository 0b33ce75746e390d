#pragma once
// Removing one installed file at uninstallation, never the installer's own files.
#include "installer/core/strbuf.h"
#include "installer/device/device_clients.h"
#include "installer/files/progress_events.h"

struct RemovalItem {
    StrBuf displayName;
    StrBuf destName;
    StrBuf destDir;
    bool removeOnUninstall = true;
    bool resolved = false;      // both the source and the destination directory were found
};

// False for an entry whose directories did not resolve, a file that could not be deleted,
// or when the user cancels.
bool RemoveFileEntry(const RemovalItem& item, ProgressCallback callback, void* context);

// While one lives, the file removals share one look at the running programs instead of a
// process snapshot each (thousands of files would take a snapshot each). Without one, every
// removal takes its own snapshot.
class FileRemovalRun {
public:
    FileRemovalRun();
    ~FileRemovalRun();
    FileRemovalRun(const FileRemovalRun&) = delete;
    FileRemovalRun& operator=(const FileRemovalRun&) = delete;
private:
    RunningProgramNames programs_;
    RunningProgramNames* outer_;   // an enclosing run's, restored at the end
};
