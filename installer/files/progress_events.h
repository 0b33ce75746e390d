#pragma once
// The callback every walk of the script tree reports through, its events, and the request
// that names one file being installed. Pure declarations: no <windows.h>.
#include <cstdint>

// event, parameter, request (or a number in its place), the caller's context.
using ProgressCallback = int (*)(unsigned event, uintptr_t parameter, uintptr_t request, void* context);

enum ProgressEvent : unsigned {
    EV_ITEM_BEGIN = 1,            // display name; non-zero reply = cancelled
    EV_ITEM_END = 2,
    EV_REMOVE_BEGIN = 3,
    EV_REMOVE_END = 4,
    EV_LIST_BEGIN = 16,           // node kind; request = parent node; non-zero = the walk fails
    EV_LIST_END = 17,
    EV_UNLIST_BEGIN = 18,
    EV_UNLIST_END = 19,
    EV_NEED_SOURCE = 0x80000002u, // 260-character buffer; request = 260; reply 1 = retry there
    EV_INSTALL_ERROR = 0x80000010u,   // error bits; request = FileCopyRequest
    EV_VERSION_CONFLICT = 0x80000011u // conflict bits; request = FileCopyRequest
};

const int kSourceBufferSize = 260;

// Dialog results as replies.
enum DialogReply { ReplyOk = 1, ReplyCancel = 2, ReplyAbort = 3, ReplyRetry = 4, ReplyIgnore = 5, ReplyYes = 6, ReplyNo = 7 };

struct FileCopyRequest {
    const char* diskLabel = nullptr;     // null when the entry names no disk
    const char* displayName = nullptr;
    const char* sourceDir = nullptr;     // replaced when the user points to another source
    const char* sourceName = nullptr;
    const char* destDir = nullptr;
    const char* destName = nullptr;
    uintptr_t reserved[4] = {0, 0, 0, 0};
};

// Result bits of the version-installation service.
enum VersionInstallBits : unsigned {
    VIF_TEMPFILE_BIT = 0x1,
    VIF_MISMATCH_BIT = 0x2,
    VIF_SRCOLD_BIT = 0x4,
    VIF_DIFFLANG_BIT = 0x8,
    VIF_DIFFCODEPG_BIT = 0x10,
    VIF_DIFFTYPE_BIT = 0x20,
    VIF_WRITEPROT_BIT = 0x40,
    VIF_FILEINUSE_BIT = 0x80,
    VIF_OUTOFSPACE_BIT = 0x100,
    VIF_ACCESSVIOLATION_BIT = 0x200,
    VIF_SHARINGVIOLATION_BIT = 0x400,
    VIF_CANNOTCREATE_BIT = 0x800,
    VIF_CANNOTDELETE_BIT = 0x1000,
    VIF_CANNOTRENAME_BIT = 0x2000,
    VIF_CANNOTDELETECUR_BIT = 0x4000,
    VIF_OUTOFMEMORY_BIT = 0x8000,
    VIF_CANNOTREADSRC_BIT = 0x10000,
    VIF_CANNOTREADDST_BIT = 0x20000,
    VIF_BUFFTOOSMALL_BIT = 0x40000,
};
const unsigned kConflictGroup = 0x3E;
const unsigned kErrorGroup = 0x2BF40;
const unsigned kForceInstallFlag = 1;   // VIFF_FORCEINSTALL
