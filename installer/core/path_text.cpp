#include "installer/core/path_text.h"

#include "installer/core/code_page.h"

void AppendPath(StrBuf& directory, const char* name) {
    if (!EndsWithSeparator(directory)) directory += '\\';
    directory += name;
}

StrBuf JoinPath(const char* directory, const char* name) {
    StrBuf path(directory);
    AppendPath(path, name);
    return path;
}

StrBuf DirectoryPart(const char* path) {
    StrBuf text(path);
    int slash = text.ReverseFind('\\');
    if (slash < 0) return StrBuf();
    // "D:" alone names the drive's current folder, not its root: a root keeps its backslash.
    bool root = slash == 0 || (slash == 2 && text[1] == ':');
    return text.Left(root ? slash + 1 : slash);
}

StrBuf LastPathComponent(const char* path) {
    StrBuf text(path);
    int slash = text.ReverseFind('\\');
    return slash < 0 ? text : text.Mid(slash + 1);
}
