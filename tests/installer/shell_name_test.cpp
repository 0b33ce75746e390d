// Names the shell hands back in each of its forms, as the wizard's folder list reads them.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstddef>
#include <cstring>
#include <string>
#include "installer/ui/shell_name.h"

namespace {
STRRET Wide(const wchar_t* text) {
    STRRET name{};
    name.uType = STRRET_WSTR;
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    name.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    memcpy(name.pOleStr, text, bytes);
    return name;
}
}  // namespace

TEST(ShellName, EveryFormGivesItsTextCutToTheBuffer) {
    char text[8];
    STRRET inPlace{};
    inPlace.uType = STRRET_CSTR;
    lstrcpyA(inPlace.cStr, "Startup");
    EXPECT_TRUE(ShellNameText(inPlace, nullptr, text, sizeof text));
    EXPECT_STREQ("Startup", text);

    // At an offset into the item's own bytes.
    struct { USHORT size; char bytes[16]; } item = {0, "..Accessories"};
    STRRET offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = offsetof(decltype(item), bytes) + 2;
    EXPECT_TRUE(ShellNameText(offset, reinterpret_cast<LPCITEMIDLIST>(&item), text, sizeof text));
    EXPECT_STREQ("Accesso", text);   // seven characters and the end
    EXPECT_FALSE(ShellNameText(offset, nullptr, text, sizeof text));

    STRRET wide = Wide(L"Games and more");
    EXPECT_TRUE(ShellNameText(wide, nullptr, text, sizeof text));
    EXPECT_STREQ("Games a", text);
    EXPECT_EQ(nullptr, wide.pOleStr);   // freed, and not freed twice
    EXPECT_FALSE(ShellNameText(wide, nullptr, text, sizeof text));
    EXPECT_STREQ("", text);

    STRRET unknown{};
    unknown.uType = 99;
    EXPECT_FALSE(ShellNameText(unknown, nullptr, text, sizeof text));
    EXPECT_FALSE(ShellNameText(inPlace, nullptr, text, 0));
}
