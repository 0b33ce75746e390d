#pragma once
// The rules for reading "setup.inf": menu parameters, the item list and the item
// sections, each in its ".all", language and plain variants. Pure: the values come
// from a ProfileSource, so the rules run the same on parsed text and on the real file.
#include "launcher/profile_source.h"

#include <string>
#include <vector>

enum ItemAction { ActionNone = 0, ActionExecuteFile = 1, ActionExit = 2, ActionProgramManager = 3 };

enum : size_t { kValueBuffer = 1024, kPictureNameBuffer = 260, kItemListBuffer = 32766 };

// "ItemsParameter": the look of the whole menu. Colours are COLORREF values.
struct MenuSettings {
    int itemType = 0;
    int itemFormat = 0;
    unsigned textColor = 0;
    unsigned textColorSel = 16711680;
    unsigned textColorDown = 255;
    int fixedPosition = 0;
    int xStart = 50, yStart = 130, xEnd = 400, yEnd = 310;
    std::string bkPicture;
    std::string fontFace;
    int fontSize = 0;
    int fontBold = 0, fontItalic = 0, fontUnderline = 0;
    unsigned transparentColor = 16777215;
    int transparentPicture = 0;
};

// One item's own section.
struct ItemSettings {
    int action = ActionNone;
    std::string path;           // EXECUTEFILE: working directory below the launcher's; PROGRAMMANAGER: target below it
    std::string exe;
    std::string exeParameter;
    std::string targetPath;     // PROGRAMMANAGER: the launcher's directory followed by path
    int xStart = 0, yStart = 0, xEnd = 0, yEnd = 0;
    std::string pictureUp, pictureDown, pictureSel;
};

struct ItemList {
    std::vector<std::string> keys;    // item section names, in display order
    std::vector<std::string> texts;   // display texts, parallel to keys
};

// The variants of section `name` to read, in order: name.all when present, then
// name+suffix when present, else the plain name (always, or only when present).
std::vector<std::string> SectionVariants(const ProfileSource& source, const std::string& name,
                                         const std::string& suffix, bool plainAlways);

// Later variants override earlier ones key by key.
void ReadMenuSettingsFrom(const ProfileSource& source, const std::string& suffix, MenuSettings& settings);

// The lines of "Items" variants appended in order.
ItemList ReadItemListFrom(const ProfileSource& source, const std::string& suffix);
// Adds the lines of one section up to the first without "=" or with an empty value.
void AppendItemLines(const std::vector<std::string>& lines, ItemList& list);

// "EXECUTEFILE", "EXIT", "PROGRAMMANAGER" in any case; anything else is no action.
int ItemActionOf(const std::string& type);

// Reads one variant of an item's section over what earlier variants gave.
// programDirectory ends with "\"; picture names are read only for picture items.
void ReadItemKeys(const ProfileSource& source, const std::string& section, const std::string& programDirectory,
                  bool withPictures, ItemSettings& item);
