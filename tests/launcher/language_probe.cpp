// Prints what the launcher reads from the "setup.inf" named on its command line in the
// running system's language: suffix, menu settings, items and the first item's file.
#include "launcher/menu_item.h"
#include "launcher/setup_inf.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string path = argv[1];
    MenuSettings settings;
    ReadMenuSettings(path, settings);
    ItemList list = ReadItemList(path);
    std::string items;
    for (size_t i = 0; i < list.keys.size(); ++i) items += (i ? "," : "") + list.keys[i] + ":" + list.texts[i];
    PictureItem first;
    if (!list.keys.empty()) ReadItemSection(first, list.keys[0], path);
    std::printf("suffix=%s picture=%s font=%s items=%s exe=%s parameters=%s\n", LanguageSuffixOf().c_str(),
                settings.bkPicture.c_str(), settings.fontFace.c_str(), items.c_str(), first.settings.exe.c_str(),
                first.settings.exeParameter.c_str());
    return 0;
}
