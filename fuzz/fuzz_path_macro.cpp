// The leading path macro over arbitrary text: its pieces must put the path back together.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/registry/path_macro.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    StrBuf path(text.c_str());
    PathMacro macro = ParsePathMacro(path);
    StrBuf joined;
    switch (macro.form) {
    case PathMacroForm::None:
        if (!text.empty() && text[0] == '%') abort();
        return 0;
    case PathMacroForm::Malformed:
        if (text.empty() || text[0] != '%') abort();
        return 0;
    case PathMacroForm::Named: joined = "%" + macro.name + "%" + macro.rest; break;
    case PathMacroForm::AppPath: joined = "%" + macro.name + ":" + macro.argument + "%" + macro.rest; break;
    }
    if (joined != path.c_str()) abort();
    if (macro.name.Find('%') >= 0 || macro.argument.Find('%') >= 0) abort();
    return 0;
}
