#include <gtest/gtest.h>
#include <string>
#include "installer/registry/path_macro.h"

TEST(PathMacro, RecognisesTheLeadingMacroOnly) {
    struct { const char* path; PathMacroForm form; const char* name; const char* argument; const char* rest; } rows[] = {
        {"C:\\Tools\\a.exe", PathMacroForm::None, "", "", ""},
        {"", PathMacroForm::None, "", "", ""},
        {"x%Windows%", PathMacroForm::None, "", "", ""},
        {"%Windows%\\Fonts", PathMacroForm::Named, "Windows", "", "\\Fonts"},
        {"%Program Files%", PathMacroForm::Named, "Program Files", "", ""},
        {"%%rest", PathMacroForm::Named, "", "", "rest"},
        {"%AppPath:word.exe%\\Startup", PathMacroForm::AppPath, "AppPath", "word.exe", "\\Startup"},
        {"%apppath:%", PathMacroForm::AppPath, "apppath", "", ""},
        {"%AppPath:a:b%x", PathMacroForm::AppPath, "AppPath", "a:b", "x"},
        {"%Other:arg%\\x", PathMacroForm::Malformed, "", "", ""},
        {"%Windows", PathMacroForm::Malformed, "", "", ""},
        {"%", PathMacroForm::Malformed, "", "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path);
        PathMacro macro = ParsePathMacro(StrBuf(r.path));
        EXPECT_EQ(r.form, macro.form);
        if (r.form == PathMacroForm::Malformed) continue;
        EXPECT_EQ(std::string(r.name), macro.name.c_str());
        EXPECT_EQ(std::string(r.argument), macro.argument.c_str());
        EXPECT_EQ(std::string(r.rest), macro.rest.c_str());
    }
}
