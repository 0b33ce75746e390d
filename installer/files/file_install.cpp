#include "installer/files/file_install.h"

#include <cstring>
#include <utility>
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/core/system_paths.h"
#include "installer/files/deferred_replace.h"
#include "installer/files/file_copy.h"

namespace {
int Raise(ProgressCallback callback, void* context, unsigned event, uintptr_t parameter, uintptr_t request) {
    return callback ? callback(event, parameter, request, context) : 0;
}

FileCopyRequest RequestFor(const FileInstallItem& item, const StrBuf& sourceDir) {
    FileCopyRequest request;
    request.diskLabel = item.hasDisk ? item.diskLabel.c_str() : nullptr;
    request.displayName = item.displayName;
    request.sourceDir = sourceDir;
    request.sourceName = item.sourceName;
    request.destDir = item.destDir;
    request.destName = item.destName;
    return request;
}

// Until the source is there: asks for it; false when the user gives up. source: the file
// found, opened for the copy, so that it is opened once.
bool FindSource(FileInstallItem& item, StrBuf& sourceDir, FileHandle& source, ProgressCallback callback,
                void* context) {
    while (!(source = OpenCopySource(JoinPath(sourceDir, item.sourceName)))) {
        char buffer[kSourceBufferSize];
        CopyWholeChars(buffer, kSourceBufferSize, item.displayName);
        int reply = Raise(callback, context, EV_NEED_SOURCE, reinterpret_cast<uintptr_t>(buffer), kSourceBufferSize);
        if (reply != ReplyOk) return false;
        buffer[kSourceBufferSize - 1] = 0;
        sourceDir = buffer;
        // The standard disk request points the whole medium elsewhere and leaves its root in
        // the buffer: the entry's own folder on it is where the file is.
        if (item.sourceDir) {
            const StrBuf& folder = item.sourceDir->path;
            if (!folder.IsEmpty() && FileExists(JoinPath(folder, item.sourceName))) sourceDir = folder;
        }
    }
    return true;
}

enum class RestartCopy { Scheduled, NoTemporaryName, Failed };

// The file goes next to its destination under a temporary name and replaces it at restart.
RestartCopy CopyForRestart(const char* sourcePath, const FileInstallItem& item, const char* destPath) {
    StrBuf temporary = TempFileIn(item.destDir);
    if (temporary.IsEmpty()) return RestartCopy::NoTemporaryName;
    if (!ExpandCopy(sourcePath, temporary)) {
        DeleteFileA(temporary);
        return RestartCopy::Failed;
    }
    ScheduleReplace(destPath, temporary);
    return RestartCopy::Scheduled;
}

// A destination the ANSI functions cannot name (260 characters or more) is put to the user as
// a file that cannot be created: copied nowhere, never scheduled for a restart that could not
// carry it out. Retrying could not help, so only Abort stops the list.
bool DestinationTooLong(const StrBuf& destPath) { return destPath.Length() >= MAX_PATH; }

bool RefuseUnnameable(ProgressCallback callback, void* context, const FileCopyRequest& request) {
    int reply = Raise(callback, context, EV_INSTALL_ERROR, VIF_CANNOTCREATE_BIT, reinterpret_cast<uintptr_t>(&request));
    return AnswerFromReply(reply) != QuestionAnswer::Abort;
}

// A folder so deep that no temporary name fits beside the destination (247 characters and
// more) is the same "cannot be created" question. skipped: the file stays as it was.
bool ReplaceAtRestart(const char* sourcePath, const FileInstallItem& item, const char* destPath,
                      ProgressCallback callback, void* context, const FileCopyRequest& request, bool& skipped) {
    switch (CopyForRestart(sourcePath, item, destPath)) {
    case RestartCopy::Scheduled: return true;
    case RestartCopy::Failed: return false;
    case RestartCopy::NoTemporaryName: break;
    }
    skipped = true;
    return RefuseUnnameable(callback, context, request);
}

// The service's temporary name is bare on Windows and begins with a backslash on Wine.
StrBuf ServiceTempPath(const char* destDir, const char* tempName) {
    while (*tempName == '\\') ++tempName;
    return JoinPath(destDir, tempName);
}
}  // namespace

InstallOutcome VersionCheckedInstall(ProgressCallback callback, void* context, const FileCopyRequest& request,
                                     VersionInstallFn service) {
    if (!service) service = VersionInstallService();
    DWORD flags = 0;
    for (;;) {
        char tempName[140] = "";
        UINT tempLength = sizeof tempName;
        DWORD result = service(flags, request.sourceName, request.destName, request.sourceDir, request.destDir,
                               request.destDir, tempName, &tempLength);
        tempName[sizeof tempName - 1] = 0;
        if ((result & VIF_TEMPFILE_BIT) && tempName[0]) ForceDelete(ServiceTempPath(request.destDir, tempName));

        unsigned bits = 0;
        unsigned event = 0;
        switch (StepForResult(result, NativeArchitecture())) {
        case ResultStep::Done: return OutcomeInstalled;
        case ResultStep::SourceUnreadable: return OutcomeSourceUnreadable;
        case ResultStep::InUse: return OutcomeInUse;
        case ResultStep::AskConflict: bits = result & kConflictGroup; event = EV_VERSION_CONFLICT; break;
        case ResultStep::AskError: bits = result & kErrorGroup; event = EV_INSTALL_ERROR; break;
        }
        int reply = Raise(callback, context, event, bits, reinterpret_cast<uintptr_t>(&request));
        switch (AnswerFromReply(reply)) {
        case QuestionAnswer::Force: flags |= kForceInstallFlag; break;   // stays for every later attempt
        case QuestionAnswer::Skip: return OutcomeSkipped;
        case QuestionAnswer::Abort: return OutcomeAbort;
        }
    }
}

bool InstallFileEntry(FileInstallItem& item, ProgressCallback callback, void* context) {
    StrBuf sourceDir = item.sourceDir ? item.sourceDir->path : StrBuf();
    if (Raise(callback, context, EV_ITEM_BEGIN, reinterpret_cast<uintptr_t>(item.displayName.c_str()), 0) == 0) {
        if (!item.sourceDir || !item.destResolved) return false;
        FileHandle source;
        if (!FindSource(item, sourceDir, source, callback, context)) return false;
        FileCopyRequest request = RequestFor(item, sourceDir);
        StrBuf sourcePath = JoinPath(sourceDir, item.sourceName);
        StrBuf destPath = JoinPath(item.destDir, item.destName);

        if (DestinationTooLong(destPath)) {
            if (!RefuseUnnameable(callback, context, request)) return false;
            return Raise(callback, context, EV_ITEM_END, 0, 0) == 0;
        }
        bool placed = ExpandCopyToNewFile(std::move(source), sourcePath, destPath);
        bool skipped = false;
        if (!placed && item.installMode == kReplaceAtRestartMode) {
            if (!ReplaceAtRestart(sourcePath, item, destPath, callback, context, request, skipped)) return false;
        } else if (!placed) {
            InstallOutcome outcome = VersionCheckedInstall(callback, context, request, item.versionService);
            if (outcome == OutcomeAbort || outcome == OutcomeSourceUnreadable) return false;
            skipped = outcome == OutcomeSkipped;
            if (outcome == OutcomeInUse &&
                !ReplaceAtRestart(sourcePath, item, destPath, callback, context, request, skipped))
                return false;
        }
        if (!skipped) item.installedLocation = request.destDir;
    }
    return Raise(callback, context, EV_ITEM_END, 0, 0) == 0;
}
