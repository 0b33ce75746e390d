#pragma once
// The [App] section: the product-wide settings of a run, read from a script and
// written back into the record copy that the uninstaller reads with the same reader.
// Pure: expanding a path macro and loading an included script come in as hooks.
#include <functional>
#include <vector>
#include "installer/core/strbuf.h"
#include "installer/script/script_reader.h"

// What "BkStatus" shows, by its index in bkStatus.
enum BackgroundPart { kShowLogo, kShowLogoText, kShowAppName, kShowSuffix };

inline unsigned ColourOf(int red, int green, int blue) { return red + green * 256u + blue * 65536u; }

struct ApplicationSettings {
    StrBuf appType;
    StrBuf appName;
    int appNameDivisor = 10;
    unsigned appNameColour = ColourOf(255, 255, 255);
    unsigned appNameShadow = ColourOf(0, 0, 0);
    bool appNamePanel = false;
    int appNameShadowX = 4, appNameShadowY = 4;

    StrBuf caption;
    StrBuf produceName;
    StrBuf defaultDir;
    StrBuf groupName;         // the application's own group name
    int commonGroup = 1;      // DefPMGroup field 2

    StrBuf logoName;          // empty: the company name from the string table
    int logoDivisor = 18;
    unsigned logoColour = ColourOf(255, 255, 255);
    unsigned logoShadow = ColourOf(0, 0, 0);
    int logoPanel = 0;
    int logoShadowX = 2, logoShadowY = 1;
    StrBuf logoBmpName;
    StrBuf logoBmpMaskName;

    StrBuf uninstallName;     // start-up puts the localised "Uninstall" here
    StrBuf bkBmpName;
    int bkStretch = 0;        // 1 or 2 stretch the picture, anything else tiles it
    StrBuf bkUBmpName;        // the uninstall's picture; empty: bkBmpName
    int bkStatus[4] = {1, 1, 1, 1};
    unsigned bkTop = ColourOf(128, 128, 255);
    unsigned bkBottom = ColourOf(0, 0, 55);
    int bkSteps = 128;
    bool bkFrame = false;

    StrBuf fontAppName;       // empty: "Times New Roman", italic
    StrBuf fontLogoName;

    bool silent = false;
    bool dirDelete = false;
    bool enableNewUI = false;
    bool dontKeepUninstallInfo = false;
    bool noPMInfo = false;
};

inline bool Shows(const ApplicationSettings& s, BackgroundPart part) { return s.bkStatus[part] != 0; }

struct AppSectionHooks {
    std::function<void(StrBuf&)> expandDefaultDir;     // "DefDir" after reading
    std::function<void(const StrBuf&)> includeScript;  // "*include" with its file name
};

// One key line of the section.
void ReadApplicationKey(ApplicationSettings& settings, const StrBuf& line, const AppSectionHooks& hooks);

class ApplicationSectionReader : public SectionReader {
public:
    ApplicationSectionReader(ApplicationSettings& settings, const AppSectionHooks& hooks)
        : settings_(settings), hooks_(hooks) {}
    void KeyLine(const StrBuf& line) override { ReadApplicationKey(settings_, line, hooks_); }
private:
    ApplicationSettings& settings_;
    const AppSectionHooks& hooks_;
};

// "App.all", then "App" with the language suffix, or plain "App".
void ReadApplicationSection(const ScriptText& text, ApplicationSettings& settings, const AppSectionHooks& hooks,
                            const char* languageSuffix);

// The pictures the uninstaller shows (its background, the logo and its mask), which the
// install copies from the medium beside the record: the names given, in that order.
std::vector<StrBuf> UninstallerPictures(const ApplicationSettings& settings);

// The section as the record copy holds it, header first and an empty line last.
// uninstallWord replaces the application name and the caption.
std::vector<StrBuf> ApplicationSectionLines(const ApplicationSettings& settings, const char* uninstallWord,
                                            const char* languageSuffix);
