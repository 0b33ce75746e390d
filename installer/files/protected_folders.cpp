#include "installer/files/protected_folders.h"

#include "installer/core/code_page.h"

namespace {
StrBuf WithoutTrailingSlashes(const char* path) {
    StrBuf text(path);
    text.Trim();
    while (EndsWithChar(text, text.Length(), '\\') || EndsWithChar(text, text.Length(), '/'))
        text = text.Left(text.Length() - 1);
    return text;
}

bool IsDriveRoot(const StrBuf& path) {
    if (path.IsEmpty()) return true;                        // "\" or "" names the current root
    if (path.Length() == 2 && path[1] == ':') return true;  // "C:"
    if (path.Length() > 2 && path[0] == '\\' && path[1] == '\\') {
        // "\\server\share" is the root of a network drive.
        int slash = path.Find('\\', 2);
        return slash < 0 || path.Find('\\', slash + 1) < 0;
    }
    return false;
}

bool SameFolder(const StrBuf& a, const char* b) {
    StrBuf other = WithoutTrailingSlashes(b);
    return !other.IsEmpty() && CompareNoCase(a, other) == 0;
}
}  // namespace

bool IsProtectedFolder(const char* path, const char* windowsDir, const char* systemDir) {
    StrBuf folder = WithoutTrailingSlashes(path);
    return IsDriveRoot(folder) || SameFolder(folder, windowsDir) || SameFolder(folder, systemDir);
}
