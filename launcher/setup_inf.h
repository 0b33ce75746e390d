#pragma once
// Reading "setup.inf" for the running system's language.
#include "launcher/menu_config.h"

#include <string>

class MenuItem;

// The section suffix for the system default language ("" when none).
std::string LanguageSuffixOf();
// "setup.inf" beside the program: the directory (ending in "\") and the file's path.
std::string LauncherDirectory();
std::string SetupInfPath(const std::string& launcherDirectory);

void ReadMenuSettings(const std::string& iniPath, MenuSettings& settings);
ItemList ReadItemList(const std::string& iniPath);
// The item reads each variant of its section in turn.
void ReadItemSection(MenuItem& item, const std::string& section, const std::string& iniPath);
