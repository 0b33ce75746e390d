#include "launcher/menu_config.h"

#include <strings.h>

namespace {
const char kItemsParameter[] = "ItemsParameter";
const char kItems[] = "Items";
const char kEmptyItem[] = "EMPTYITEM";

bool SectionPresent(const ProfileSource& source, const std::string& name) {
    return !source.SectionLines(name, kValueBuffer).empty();
}

// An empty value never replaces one read earlier.
void ReadText(const ProfileSource& source, const std::string& section, const char* key, size_t bufferSize,
              std::string& field) {
    std::string value = source.String(section, key, field, bufferSize);
    if (!value.empty()) field = value;
}

void ReadInt(const ProfileSource& source, const std::string& section, const char* key, int& field) {
    field = source.Int(section, key, field);
}

void ReadColour(const ProfileSource& source, const std::string& section, const char* key, unsigned& field) {
    field = static_cast<unsigned>(source.Int(section, key, static_cast<int>(field)));
}

void ReadMenuSection(const ProfileSource& source, const std::string& section, MenuSettings& s) {
    ReadInt(source, section, "ItemType", s.itemType);
    ReadInt(source, section, "ItemFormat", s.itemFormat);
    ReadColour(source, section, "TextColor", s.textColor);
    ReadColour(source, section, "TextColorSel", s.textColorSel);
    ReadColour(source, section, "TextColorDown", s.textColorDown);
    ReadInt(source, section, "FixedPosition", s.fixedPosition);
    ReadInt(source, section, "xStart", s.xStart);
    ReadInt(source, section, "yStart", s.yStart);
    ReadInt(source, section, "xEnd", s.xEnd);
    ReadInt(source, section, "yEnd", s.yEnd);
    ReadText(source, section, "BKPicture", kPictureNameBuffer, s.bkPicture);
    ReadText(source, section, "FontFace", kValueBuffer, s.fontFace);
    ReadInt(source, section, "FontSize", s.fontSize);
    ReadInt(source, section, "FontBold", s.fontBold);
    ReadInt(source, section, "FontItalic", s.fontItalic);
    ReadInt(source, section, "FontUnderline", s.fontUnderline);
    ReadColour(source, section, "TransparentColor", s.transparentColor);
    ReadInt(source, section, "TransparentPicture", s.transparentPicture);
}
}  // namespace

std::vector<std::string> SectionVariants(const ProfileSource& source, const std::string& name,
                                         const std::string& suffix, bool plainAlways) {
    std::vector<std::string> variants;
    if (SectionPresent(source, name + ".all")) variants.push_back(name + ".all");
    if (!suffix.empty() && SectionPresent(source, name + suffix))
        variants.push_back(name + suffix);
    else if (plainAlways || SectionPresent(source, name))
        variants.push_back(name);
    return variants;
}

void ReadMenuSettingsFrom(const ProfileSource& source, const std::string& suffix, MenuSettings& settings) {
    for (const std::string& section : SectionVariants(source, kItemsParameter, suffix, true))
        ReadMenuSection(source, section, settings);
}

void AppendItemLines(const std::vector<std::string>& lines, ItemList& list) {
    for (const std::string& line : lines) {
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq + 1 == line.size()) return;
        std::string key = line.substr(0, eq);
        list.texts.push_back(key == kEmptyItem ? std::string(" ") : line.substr(eq + 1));
        list.keys.push_back(std::move(key));
    }
}

ItemList ReadItemListFrom(const ProfileSource& source, const std::string& suffix) {
    ItemList list;
    for (const std::string& section : SectionVariants(source, kItems, suffix, false))
        AppendItemLines(source.SectionLines(section, kItemListBuffer), list);
    return list;
}

int ItemActionOf(const std::string& type) {
    if (strcasecmp(type.c_str(), "EXECUTEFILE") == 0) return ActionExecuteFile;
    if (strcasecmp(type.c_str(), "EXIT") == 0) return ActionExit;
    if (strcasecmp(type.c_str(), "PROGRAMMANAGER") == 0) return ActionProgramManager;
    return ActionNone;
}

void ReadItemKeys(const ProfileSource& source, const std::string& section, const std::string& programDirectory,
                  bool withPictures, ItemSettings& item) {
    std::string type = source.String(section, "Type", "", kValueBuffer);
    if (!type.empty()) item.action = ItemActionOf(type);
    // The action known at this point decides which keys belong to it.
    if (item.action == ActionExecuteFile) {
        ReadText(source, section, "exe", kValueBuffer, item.exe);
        ReadText(source, section, "path", kValueBuffer, item.path);
        ReadText(source, section, "ExeParameter", kValueBuffer, item.exeParameter);
    } else if (item.action == ActionProgramManager) {
        ReadText(source, section, "path", kValueBuffer, item.path);
        item.targetPath = programDirectory + item.path;
    }
    ReadInt(source, section, "xStart", item.xStart);
    ReadInt(source, section, "yStart", item.yStart);
    ReadInt(source, section, "xEnd", item.xEnd);
    ReadInt(source, section, "yEnd", item.yEnd);
    if (!withPictures) return;
    ReadText(source, section, "PictureUp", kPictureNameBuffer, item.pictureUp);
    ReadText(source, section, "PictureDown", kPictureNameBuffer, item.pictureDown);
    ReadText(source, section, "PictureSel", kPictureNameBuffer, item.pictureSel);
}
