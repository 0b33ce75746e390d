#include "installer/script/app_section.h"

namespace {

// True while the value still holds a further field group.
bool MoreFields(const StrBuf& value) {
    for (int i = 0; i < value.Length(); ++i)
        if (!IsBlank(value[i])) return true;
    return false;
}

StrBuf FirstField(StrBuf& value) { return NextField(value, ',', true); }

void ReadAppName(ApplicationSettings& s, StrBuf& value) {
    s.appName = FirstField(value);
    if (MoreFields(value)) s.appNameDivisor = ReadNumber(value);
    if (MoreFields(value)) s.appNameColour = ReadColour(value);
    if (MoreFields(value)) s.appNameShadow = ReadColour(value);
    if (MoreFields(value)) s.appNamePanel = ReadYesNo(value);
    if (MoreFields(value)) s.appNameShadowX = ReadNumber(value);
    if (MoreFields(value)) s.appNameShadowY = ReadNumber(value);
    if (s.appNameDivisor == 0) s.appNameDivisor = 10;
}

void ReadLogoName(ApplicationSettings& s, StrBuf& value) {
    StrBuf text = FirstField(value);
    if (!text.IsEmpty() && text[0] == '#') text = " " + text.Mid(1);
    s.logoName = text;
    if (MoreFields(value)) s.logoDivisor = ReadNumber(value);
    if (MoreFields(value)) s.logoColour = ReadColour(value);
    if (MoreFields(value)) s.logoShadow = ReadColour(value);
    if (MoreFields(value)) s.logoPanel = ReadNumber(value);
    if (MoreFields(value)) s.logoShadowX = ReadNumber(value);
    if (MoreFields(value)) s.logoShadowY = ReadNumber(value);
    if (s.logoDivisor == 0) s.logoDivisor = 18;
}

void ReadDefPMGroup(ApplicationSettings& s, StrBuf& value) {
    s.groupName = FirstField(value);
    if (s.produceName.IsEmpty()) s.produceName = s.groupName;
    if (MoreFields(value)) s.commonGroup = ReadNumber(value);
}

void ReadBkBmpName(ApplicationSettings& s, StrBuf& value) {
    s.bkBmpName = FirstField(value);
    if (s.bkUBmpName.IsEmpty()) s.bkUBmpName = s.bkBmpName;
    if (!MoreFields(value)) return;
    s.bkStretch = ReadNumber(value);
    if (!MoreFields(value)) return;
    if (ReadNumber(value) != 0) s.bkStatus[kShowAppName] = s.bkStatus[kShowSuffix] = 0;
    if (!MoreFields(value)) return;
    if (ReadNumber(value) != 0) s.bkStatus[kShowLogo] = s.bkStatus[kShowLogoText] = 0;
}

void ReadBkStatus(ApplicationSettings& s, StrBuf& value) {
    for (int i = 0; i < 4 && MoreFields(value); ++i) s.bkStatus[i] = ReadNumber(value);
}

void ReadBkColor(ApplicationSettings& s, StrBuf& value) {
    s.bkTop = ReadColour(value);
    s.bkBottom = ReadColour(value);
    if (MoreFields(value)) s.bkSteps = ReadNumber(value);
    if (MoreFields(value)) s.bkFrame = ReadYesNo(value);
}

// Keys whose first field replaces a text member.
StrBuf* TextMember(ApplicationSettings& s, const StrBuf& key) {
    struct Entry { const char* key; StrBuf ApplicationSettings::*member; };
    static const Entry table[] = {
        {"AppType", &ApplicationSettings::appType},         {"Caption", &ApplicationSettings::caption},
        {"ProduceName", &ApplicationSettings::produceName}, {"LogoBmpName", &ApplicationSettings::logoBmpName},
        {"LogoBmpMaskName", &ApplicationSettings::logoBmpMaskName},
        {"UnInstall", &ApplicationSettings::uninstallName}, {"BkUBmpName", &ApplicationSettings::bkUBmpName},
    };
    for (const Entry& entry : table)
        if (key.EqualsNoCase(entry.key)) return &(s.*entry.member);
    return nullptr;
}

bool* FlagMember(ApplicationSettings& s, const StrBuf& key) {
    struct Entry { const char* key; bool ApplicationSettings::*member; };
    static const Entry table[] = {
        {"DontKeepUninstallInfo", &ApplicationSettings::dontKeepUninstallInfo},
        {"DirDelete", &ApplicationSettings::dirDelete},
        {"EnableNewUI", &ApplicationSettings::enableNewUI},
        {"NoPMInfo", &ApplicationSettings::noPMInfo},
    };
    for (const Entry& entry : table)
        if (key.EqualsNoCase(entry.key)) return &(s.*entry.member);
    return nullptr;
}

StrBuf* FontMember(ApplicationSettings& s, const StrBuf& key) {
    if (key.EqualsNoCase("FontAppName")) return &s.fontAppName;
    if (key.EqualsNoCase("FontLogoName")) return &s.fontLogoName;
    return nullptr;
}

}  // namespace

void ReadApplicationKey(ApplicationSettings& s, const StrBuf& line, const AppSectionHooks& hooks) {
    StrBuf value(line);
    StrBuf key = CutKey(value);
    if (StrBuf* text = TextMember(s, key)) {
        *text = FirstField(value);
    } else if (bool* flag = FlagMember(s, key)) {
        *flag = ReadYesNo(value);
    } else if (StrBuf* face = FontMember(s, key)) {
        if (MoreFields(value)) *face = FirstField(value);
    } else if (key.EqualsNoCase("AppName")) {
        ReadAppName(s, value);
    } else if (key.EqualsNoCase("DefDir")) {
        s.defaultDir = FirstField(value);
        if (hooks.expandDefaultDir) hooks.expandDefaultDir(s.defaultDir);
    } else if (key.EqualsNoCase("DefPMGroup")) {
        ReadDefPMGroup(s, value);
    } else if (key.EqualsNoCase("LogoName")) {
        ReadLogoName(s, value);
    } else if (key.EqualsNoCase("SilentInstall")) {
        // The script may switch silent mode on, never off once the command line did.
        if (!s.silent) s.silent = ReadYesNo(value);
    } else if (key.EqualsNoCase("BkBmpName")) {
        ReadBkBmpName(s, value);
    } else if (key.EqualsNoCase("BkStatus")) {
        ReadBkStatus(s, value);
    } else if (key.EqualsNoCase("BkColor")) {
        ReadBkColor(s, value);
    } else if (key.EqualsNoCase("*include")) {
        StrBuf file = FirstField(value);
        if (hooks.includeScript && !file.IsEmpty()) hooks.includeScript(file);
    }
}

void ReadApplicationSection(const ScriptText& text, ApplicationSettings& settings, const AppSectionHooks& hooks,
                            const char* languageSuffix) {
    ApplicationSectionReader reader(settings, hooks);
    ParseSection(text, "App", 2, reader, languageSuffix);
}

std::vector<StrBuf> UninstallerPictures(const ApplicationSettings& s) {
    std::vector<StrBuf> pictures;
    for (const StrBuf* name : {&s.bkUBmpName, &s.logoBmpName, &s.logoBmpMaskName})
        if (!name->IsEmpty()) pictures.push_back(*name);
    return pictures;
}

namespace {

struct Rgb { int red, green, blue; };
Rgb Split(unsigned colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

StrBuf Formatted(const char* format, ...) {
    StrBuf line;
    va_list args;
    va_start(args, format);
    line.FormatV(format, args);
    va_end(args);
    return line;
}

StrBuf AppNameLine(const ApplicationSettings& s, const char* uninstallWord) {
    Rgb text = Split(s.appNameColour), shadow = Split(s.appNameShadow);
    return Formatted("AppName=%s,%d,%d,%d,%d,%d,%d,%d,%c,%d,%d", AlwaysQuoted(uninstallWord).c_str(), s.appNameDivisor, text.red,
                     text.green, text.blue, shadow.red, shadow.green, shadow.blue, YesNoLetter(s.appNamePanel),
                     s.appNameShadowX, s.appNameShadowY);
}

StrBuf LogoNameLine(const ApplicationSettings& s) {
    Rgb text = Split(s.logoColour), shadow = Split(s.logoShadow);
    // A logo of one space is kept as "#": written in quotes it would read back trimmed away.
    bool blank = s.logoName == " ";
    const char* format = blank ? "LogoName=%s,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"
                               : "LogoName=%s,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d";
    return Formatted(format, blank ? "#" : AlwaysQuoted(s.logoName).c_str(), s.logoDivisor, text.red, text.green, text.blue,
                     shadow.red, shadow.green, shadow.blue, s.logoPanel, s.logoShadowX, s.logoShadowY);
}

StrBuf BkColorLine(const ApplicationSettings& s) {
    Rgb top = Split(s.bkTop), bottom = Split(s.bkBottom);
    return Formatted("BkColor=%d,%d,%d,%d,%d,%d,%d,%c", top.red, top.green, top.blue, bottom.red, bottom.green,
                     bottom.blue, s.bkSteps, YesNoLetter(s.bkFrame));
}

}  // namespace

std::vector<StrBuf> ApplicationSectionLines(const ApplicationSettings& s, const char* uninstallWord,
                                            const char* languageSuffix) {
    std::vector<StrBuf> lines;
    lines.push_back(SectionHeaderLine("App", languageSuffix ? languageSuffix : ""));
    lines.push_back(AppNameLine(s, uninstallWord));
    if (!s.produceName.IsEmpty() && CompareNoCase(s.produceName, s.groupName) != 0)
        lines.push_back(Formatted("ProduceName=%s", AlwaysQuoted(s.produceName).c_str()));
    lines.push_back(Formatted("Caption=%s", AlwaysQuoted(uninstallWord).c_str()));
    lines.push_back(Formatted("DefDir=%s", AlwaysQuoted(s.defaultDir).c_str()));
    lines.push_back(Formatted("DefPMGroup=%s,%d", AlwaysQuoted(s.groupName).c_str(), s.commonGroup));
    if (!s.logoBmpName.IsEmpty()) {
        lines.push_back(Formatted("LogoBmpName=%s", AlwaysQuoted(s.logoBmpName).c_str()));
        if (!s.logoBmpMaskName.IsEmpty())
            lines.push_back(Formatted("LogoBmpMaskName=%s", AlwaysQuoted(s.logoBmpMaskName).c_str()));
    }
    if (!s.logoName.IsEmpty()) lines.push_back(LogoNameLine(s));
    lines.push_back(Formatted("UnInstall=%s", AlwaysQuoted(s.uninstallName).c_str()));
    lines.push_back(Formatted("DirDelete=%c", YesNoLetter(s.dirDelete)));
    lines.push_back(Formatted("SilentInstall=%c", YesNoLetter(s.silent)));
    lines.push_back(Formatted("EnableNewUI=%c", YesNoLetter(s.enableNewUI)));
    if (!s.bkBmpName.IsEmpty()) lines.push_back(Formatted("BkBmpName=%s,%d", AlwaysQuoted(s.bkBmpName).c_str(), s.bkStretch));
    if (!s.bkUBmpName.IsEmpty() && CompareNoCase(s.bkUBmpName, s.bkBmpName) != 0)
        lines.push_back(Formatted("BkUBmpName=%s", AlwaysQuoted(s.bkUBmpName).c_str()));
    lines.push_back(Formatted("BkStatus=%d,%d,%d,%d", s.bkStatus[0], s.bkStatus[1], s.bkStatus[2], s.bkStatus[3]));
    lines.push_back(BkColorLine(s));
    if (!s.fontAppName.IsEmpty()) lines.push_back(Formatted("FontAppName=%s", AlwaysQuoted(s.fontAppName).c_str()));
    if (!s.fontLogoName.IsEmpty()) lines.push_back(Formatted("FontLogoName=%s", AlwaysQuoted(s.fontLogoName).c_str()));
    lines.push_back(StrBuf());
    return lines;
}
