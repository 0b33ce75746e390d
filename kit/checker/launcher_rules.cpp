#include "kit/checker/launcher_rules.h"

#include <set>
#include "installer/core/strbuf.h"
#include "launcher/language_suffix.h"
#include "launcher/menu_config.h"
#include "launcher/profile_text.h"
#include "kit/checker/name_tables.h"
#include "kit/checker/script_layout.h"

namespace {
const std::vector<std::string>& LauncherSuffixes() {
    static const std::vector<std::string> suffixes = [] {
        std::set<std::string> found;
        for (unsigned id = 0; id < 0x10000; ++id)
            if (*LauncherLanguageSuffixFor(id)) found.insert(LauncherLanguageSuffixFor(id));
        return std::vector<std::string>(found.begin(), found.end());
    }();
    return suffixes;
}

// The section name without its ".all" or language suffix.
std::string BaseName(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return name;
    std::string tail = LowerAscii(name.substr(dot));
    if (tail == ".all") return name.substr(0, dot);
    for (const std::string& suffix : LauncherSuffixes())
        if (tail == suffix) return name.substr(0, dot);
    return name;
}

class LauncherRules {
public:
    LauncherRules(const SourceText& source, const Medium& medium, Findings& findings)
        : source_(source), medium_(medium), findings_(findings), layout_(ReadLayout(source)),
          profile_(source.bytes) {}

    void Run() {
        std::set<std::string> languages{""};
        for (const LayoutSection& section : layout_.sections) {
            std::string base = BaseName(section.name);
            if (base.size() < section.name.size() && LowerAscii(section.name.substr(base.size())) != ".all")
                languages.insert(LowerAscii(section.name.substr(base.size())));
        }
        for (const std::string& language : languages) CheckLanguage(language);
        CheckSectionsAndKeys();
    }

private:
    int LineOfSection(const std::string& name) const {
        for (const LayoutSection& section : layout_.sections)
            if (LowerAscii(section.name) == LowerAscii(name)) return section.line;
        return 0;
    }

    void Add(int line, const std::string& message) { findings_.Add(source_.name, line, "launcher-item", message); }

    void CheckPicture(int line, const std::string& what, const std::string& picture) {
        if (!picture.empty() && !medium_.IsFile(picture))
            Add(line, what + " \"" + picture + "\" is not on the medium");
    }

    std::string Languages(const std::string& language) const {
        return language.empty() ? "" : " on " + language + " systems";
    }

    void CheckLanguage(const std::string& language) {
        MenuSettings settings;
        ReadMenuSettingsFrom(profile_, language, settings);
        int parameters = LineOfSection("ItemsParameter.all") ? LineOfSection("ItemsParameter.all") : LineOfSection("ItemsParameter");
        if (settings.bkPicture.empty())
            Add(parameters, "no BKPicture" + Languages(language) + ": the launcher ends without a window");
        else
            CheckPicture(parameters, "BKPicture", settings.bkPicture);
        bool pictures = settings.itemType == 1 || settings.itemType == 2;
        ItemList list = ReadItemListFrom(profile_, language);
        for (const std::string& key : list.keys) {
            if (key == "EMPTYITEM") continue;
            seenItems_.insert(LowerAscii(key));
            ItemSettings item;
            std::vector<std::string> variants = SectionVariants(profile_, key, language, false);
            for (const std::string& variant : variants) ReadItemKeys(profile_, variant, "", pictures, item);
            int line = variants.empty() ? LineOfItem(key) : LineOfSection(variants.front());
            CheckItem(key, item, pictures, line, Languages(language));
        }
    }

    int LineOfItem(const std::string& key) const {
        for (const LayoutSection& section : layout_.sections)
            if (LowerAscii(BaseName(section.name)) == "items")
                for (const LayoutLine& line : section.lines)
                    if (LowerAscii(line.key) == LowerAscii(key)) return line.line;
        return 0;
    }

    void CheckItem(const std::string& key, const ItemSettings& item, bool pictures, int line, const std::string& where) {
        std::string name = "item \"" + key + "\"";
        switch (item.action) {
        case ActionExecuteFile: {
            std::string target = item.path.empty() ? item.exe : item.path + "\\" + item.exe;
            if (item.exe.empty()) Add(line, name + " has no exe" + where + ": it starts nothing");
            else if (!medium_.IsFile(target)) Add(line, name + " starts \"" + target + "\", which is not on the medium");
            break;
        }
        case ActionProgramManager:
            if (!medium_.IsFolder(item.path) && !medium_.IsFile(item.path))
                Add(line, name + " opens \"" + item.path + "\", which is not on the medium");
            break;
        case ActionExit: break;
        default: Add(line, name + " has no Type" + where + ": clicking it does nothing"); break;
        }
        if (!pictures) return;
        if (item.pictureUp.empty()) Add(line, name + " has no PictureUp" + where + ": a picture item shows nothing");
        CheckPicture(line, name + "'s PictureUp", item.pictureUp);
        CheckPicture(line, name + "'s PictureSel", item.pictureSel);
        CheckPicture(line, name + "'s PictureDown", item.pictureDown);
    }

    void CheckSectionsAndKeys() {
        for (const LayoutSection& section : layout_.sections) {
            std::string base = LowerAscii(BaseName(section.name));
            const std::vector<KnownName>* keys = nullptr;
            if (base == "itemsparameter") keys = &LauncherParameterKeys();
            else if (seenItems_.count(base)) keys = &LauncherItemKeys();
            else if (base != "items") {
                findings_.Add(source_.name, section.line, "unread-section",
                              "[" + section.name + "] is never read: no line of [Items] names it");
                continue;
            }
            if (!keys) continue;
            for (const LayoutLine& line : section.lines) {
                if (IsKnown(*keys, line.key)) continue;
                std::string nearest = NearestName(line.key, NamesOf(*keys));
                findings_.Add(source_.name, line.line, "unknown-key",
                              "\"" + line.key + "\" is no key of [" + section.name + "]" +
                                  (nearest.empty() ? ": the line is ignored" : "; did you mean \"" + nearest + "\"?"));
            }
        }
    }

    const SourceText& source_;
    const Medium& medium_;
    Findings& findings_;
    ScriptLayout layout_;
    ProfileText profile_;
    std::set<std::string> seenItems_;
};
}  // namespace

void CheckLauncher(const SourceText& setupInf, const Medium& medium, Findings& findings) {
    LauncherRules(setupInf, medium, findings).Run();
}
