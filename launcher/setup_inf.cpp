#include "launcher/setup_inf.h"

#include "installer/core/code_page.h"

#include "launcher/language_suffix.h"
#include "launcher/menu_item.h"
#include "launcher/profile_file.h"

#include <windows.h>

std::string LanguageSuffixOf() {
    return LauncherLanguageSuffixFor(GetSystemDefaultLangID());
}

std::string LauncherDirectory() {
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, n < MAX_PATH ? n : MAX_PATH);
    return directory.substr(0, static_cast<size_t>(LastSeparator(directory.c_str()) + 1));
}

std::string SetupInfPath(const std::string& launcherDirectory) {
    return launcherDirectory + "setup.inf";
}

void ReadMenuSettings(const std::string& iniPath, MenuSettings& settings) {
    ReadMenuSettingsFrom(ProfileFile(iniPath), LanguageSuffixOf(), settings);
}

ItemList ReadItemList(const std::string& iniPath) {
    return ReadItemListFrom(ProfileFile(iniPath), LanguageSuffixOf());
}

void ReadItemSection(MenuItem& item, const std::string& section, const std::string& iniPath) {
    for (const std::string& variant : SectionVariants(ProfileFile(iniPath), section, LanguageSuffixOf(), false))
        item.ReadSection(variant, iniPath);
}
