#pragma once
// The leading "%Name%" or "%AppPath:prog.exe%" of a path, recognised without looking
// anything up. Pure text work; ExpandPathMacro resolves the name.
#include "installer/core/strbuf.h"

enum class PathMacroForm {
    None,        // no leading "%": the path is used as it stands
    Named,       // "%Windows%\rest": name
    AppPath,     // "%AppPath:prog.exe%\rest": argument is the program
    Malformed    // a leading "%" without its closing one, or "%Other:arg%"
};

struct PathMacro {
    PathMacroForm form = PathMacroForm::None;
    StrBuf name;      // between the "%" signs, before any colon
    StrBuf argument;  // after the colon, for AppPath
    StrBuf rest;      // everything after the closing "%"
};

PathMacro ParsePathMacro(const StrBuf& path);

// The folders a "%Name%" macro may name; Unknown for any other name (it cannot be expanded).
enum class MacroFolder { Windows, System, System32, OfficeWord, ProgramFiles, Unknown };
MacroFolder MacroFolderNamed(const StrBuf& name);
