#include "installer/registry/path_macro.h"

PathMacro ParsePathMacro(const StrBuf& path) {
    PathMacro macro;
    if (path.IsEmpty() || path[0] != '%') return macro;
    int close = path.Find('%', 1);
    if (close < 0) {
        macro.form = PathMacroForm::Malformed;
        return macro;
    }
    StrBuf inside = path.Mid(1, close - 1);
    macro.rest = path.Mid(close + 1);
    int colon = inside.Find(':');
    if (colon < 0) {
        macro.form = PathMacroForm::Named;
        macro.name = inside;
        return macro;
    }
    macro.name = inside.Left(colon);
    macro.argument = inside.Mid(colon + 1);
    // Only App Paths takes an argument; any other "name:arg" cannot be expanded.
    macro.form = macro.name.EqualsNoCase("AppPath") ? PathMacroForm::AppPath : PathMacroForm::Malformed;
    return macro;
}

MacroFolder MacroFolderNamed(const StrBuf& name) {
    if (name.EqualsNoCase("Windows")) return MacroFolder::Windows;
    if (name.EqualsNoCase("System")) return MacroFolder::System;
    if (name.EqualsNoCase("System32")) return MacroFolder::System32;
    if (name.EqualsNoCase("OfficeWord")) return MacroFolder::OfficeWord;
    if (name.EqualsNoCase("Program Files")) return MacroFolder::ProgramFiles;
    return MacroFolder::Unknown;
}
