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
    return slash < 0 ? StrBuf() : text.Left(slash);
}
