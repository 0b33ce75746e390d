// Every language's string table: complete, and with the same format specifiers as
// the English one, so that formatting a translated message never reads a wrong argument.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "resources/resource_ids.h"

namespace {
const WORD kLanguages[] = {1025, 1028, 1031, 1033, 1034, 1036, 1041, 1042, 1043, 1045, 1046, 1049, 2052};
const UINT kIds[] = {IDS_CANNOT_INITIALIZE, IDS_FILE_NOT_FOUND, IDS_LOW_DISK_SPACE, IDS_INSTALL_FAILED, IDS_INSTALL_DONE,
                     IDS_INSTALL_DONE_NO_GROUP, IDS_CANNOT_CREATE_FOLDER, IDS_CONFIRM_CANCEL, IDS_ERR_OUTOFSPACE,
                     IDS_ERR_CANNOTCREATE, IDS_ERR_CANNOTDELETE, IDS_ERR_CANNOTRENAME, IDS_ERR_OUTOFMEMORY,
                     IDS_ERR_CANNOTREADDST, IDS_ERR_WRITEPROT, IDS_CONFLICT_MISMATCH, IDS_CONFLICT_SRCOLD,
                     IDS_CONFLICT_DIFFLANG, IDS_CONFLICT_DIFFCODEPG, IDS_CONFLICT_DIFFTYPE, IDS_INSTALL_REBOOT, IDS_SETUP,
                     IDS_UNINSTALL_TITLE, IDS_COPY_FILE, IDS_REMOVE_FAILED, IDS_REMOVE_FAILED_RECORD, IDS_REMOVE_DIRS_KEPT,
                     IDS_REMOVE_INCOMPLETE, IDS_REMOVE_DONE, IDS_DELETE_FILES, IDS_REMOVE_REBOOT,
                     IDS_CONFIRM_CANCEL_REMOVE, IDS_COMPANY, IDS_CREATE_PATH, IDS_UNINSTALL, IDS_CM_LOCATE_FAILED,
                     IDS_CM_REENUMERATE_FAILED};

// RT_STRING is 6; the text of one string in one language's table, exactly as stored (UTF-16); empty when absent.
std::wstring StoredString(WORD language, UINT id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW((id >> 4) + 1), language);
    if (!found) return L"";
    const WCHAR* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
    if (!p) return L"";
    for (UINT i = 0; i < (id & 15); ++i) p += 1 + *p;
    return std::wstring(p + 1, *p);
}

// "%s", "%c", "%ld" ... in order; "%%" is not an argument.
std::vector<std::wstring> Specifiers(const std::wstring& text) {
    std::vector<std::wstring> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') continue;
        size_t j = i + 1;
        while (j < text.size() && (iswdigit(text[j]) || text[j] == L'l' || text[j] == L'-' || text[j] == L'.')) ++j;
        if (j < text.size()) out.push_back(text.substr(i, j - i + 1));
        i = j;
    }
    return out;
}
}  // namespace

TEST(StringTables, EveryLanguageHasEveryStringWithTheEnglishSpecifiers) {
    for (WORD language : kLanguages) {
        for (UINT id : kIds) {
            std::wstring english = StoredString(1033, id);
            std::wstring text = StoredString(language, id);
            ASSERT_FALSE(english.empty()) << id;
            EXPECT_FALSE(text.empty()) << "language " << language << " id " << id;
            EXPECT_TRUE(Specifiers(english) == Specifiers(text)) << "language " << language << " id " << id;
            EXPECT_EQ(std::wstring::npos, text.find(L'\xFFFD')) << "undecodable text in " << language << " id " << id;
        }
    }
}

TEST(StringTables, TranslationsAreTheirOwnTexts) {
    // A table copied from English, or read in the wrong code page, would fail here.
    EXPECT_NE(StoredString(1033, IDS_CANNOT_INITIALIZE), StoredString(1031, IDS_CANNOT_INITIALIZE));
    EXPECT_EQ(L"\x30BB\x30C3\x30C8\x30A2\x30C3\x30D7", StoredString(1041, IDS_SETUP));           // Japanese "Setup"
    EXPECT_EQ(L"\x0423\x0434\x0430\x043B\x0438\x0442\x044C", StoredString(1049, IDS_UNINSTALL));  // Russian "Uninstall"
    EXPECT_EQ(L"\x5378\x8F7D", StoredString(2052, IDS_UNINSTALL));                                 // Simplified Chinese
    EXPECT_EQ(L"\x89E3\x9664\x5B89\x88DD", StoredString(1028, IDS_UNINSTALL));                     // Traditional Chinese
    EXPECT_EQ(StoredString(1033, IDS_COMPANY), StoredString(1041, IDS_COMPANY)) << "the company's name is not translated";
}
