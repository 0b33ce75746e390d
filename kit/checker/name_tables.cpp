#include "kit/checker/name_tables.h"

#include <algorithm>
#include <cctype>

const std::vector<KnownName>& ScriptSectionNames() {
    static const std::vector<KnownName> names = {
        {"App", "the product: names, folders, program group, the background window's look, switches"},
        {"Disks", "id=label: the media the files come from"},
        {"SrcDirs", "id=folder: source folders on the medium"},
        {"DstDirs", "id=folder: destination folders on the machine"},
        {"SetupApps", "name=record,keys,files,shortcuts,ini,spare files,registry,registry,removal files: the components"},
        {"End", "the end of the script: nothing after it is read"},
    };
    return names;
}

const std::vector<KnownName>& AppKeys() {
    static const std::vector<KnownName> names = {
        {"AppType", "kind of product; \"Driver\" in it removes earlier installations first"},
        {"AppName", "the background window's name line: text,divisor,r,g,b,shadow r,g,b,panel,dx,dy"},
        {"Caption", "title of the windows and the product name in messages"},
        {"ProduceName", "the record key is SetupExt\\ and this name; defaults to the group"},
        {"DefDir", "default install folder; may start with a path macro"},
        {"DefPMGroup", "program group,all users (1) or the user's (0)"},
        {"LogoName", "logo text,divisor,r,g,b,shadow r,g,b,panel,dx,dy"},
        {"LogoBmpName", "logo picture"},
        {"LogoBmpMaskName", "logo mask picture"},
        {"UnInstall", "name of the uninstall link; empty: none"},
        {"BkBmpName", "background picture,stretch,hide name line,hide logo"},
        {"BkUBmpName", "background picture of the uninstall run"},
        {"BkStatus", "logo picture,logo text,name line,\"Setup\" word: 1 shown, 0 hidden"},
        {"BkColor", "top r,g,b,bottom r,g,b,steps,frame"},
        {"FontAppName", "face of the name line"},
        {"FontLogoName", "face of the logo text"},
        {"SilentInstall", "Y: no dialogs"},
        {"DirDelete", "kept and written back; nothing consults it"},
        {"EnableNewUI", "Y: wizard pages instead of the classic dialogs"},
        {"DontKeepUninstallInfo", "Y: no record, no uninstall link"},
        {"NoPMInfo", "Y: no shortcuts"},
        {"*include", "a further script file whose tables and components are added"},
    };
    return names;
}

const std::vector<KnownName>& ComponentKeyNames() {
    static const std::vector<KnownName> names = {
        {"DefInstall", "Y: chosen by default"},
        {"ConInsll", "Y: the user may change the choice"},
        {"SpaceNeeded", "kilobytes the component needs"},
        {"RestartWindows", "Y: restart after the install"},
        {"RebootSystem", "the same flag as RestartWindows"},
        {"URestartWindows", "Y: restart after the removal"},
        {"DeleteOemClass", "Y,class: the removal deletes that class's driver description files"},
        {"IExeBefore", "program,wait,silent: started before the install's entries"},
        {"IExeAfter", "program,wait,silent: started after the install"},
        {"UExeBefore", "program,wait,silent: started before the removal"},
        {"UExeAfter", "program,wait,silent: started after the removal"},
        {"LibraryReg", "library,silent: registered after the install, unregistered before the removal"},
        {"DeviceType", "0 none, 1 serial or interface-library tablet, 2 USB tablet"},
        {"*include", "section[,file]: lines read in place of this one"},
    };
    return names;
}

const std::vector<KnownName>& PathMacroNames() {
    static const std::vector<KnownName> names = {
        {"Windows", "the Windows folder"},
        {"System", "the system folder"},
        {"System32", "the Windows folder and \\System32"},
        {"OfficeWord", "the install root of the newest word processor of the office suite"},
        {"Program Files", "the Program Files folder"},
        {"AppPath", "%AppPath:program.exe%: the folder the program is registered in"},
    };
    return names;
}

const std::vector<KnownName>& LauncherParameterKeys() {
    static const std::vector<KnownName> names = {
        {"ItemType", "0 text, 1 picture, 2 picture with text"},
        {"ItemFormat", "0 left, 1 centred, 2 right"},
        {"TextColor", "item text colour"},
        {"TextColorSel", "text colour of the item under the pointer"},
        {"TextColorDown", "text colour while the button is held"},
        {"FixedPosition", "not 0: items at their own xStart, yStart"},
        {"xStart", "left edge of the menu box"},
        {"yStart", "top of the menu box"},
        {"xEnd", "right edge of the menu box"},
        {"yEnd", "bottom of the menu box"},
        {"BKPicture", "background picture; the window takes its size"},
        {"FontFace", "item font"},
        {"FontSize", "item font height"},
        {"FontBold", "not 0: bold"},
        {"FontItalic", "not 0: italic"},
        {"FontUnderline", "not 0: underlined"},
        {"TransparentColor", "key colour of item pictures"},
        {"TransparentPicture", "not 0: the key colour is transparent"},
    };
    return names;
}

const std::vector<KnownName>& LauncherItemKeys() {
    static const std::vector<KnownName> names = {
        {"Type", "EXECUTEFILE, EXIT or PROGRAMMANAGER"},
        {"exe", "EXECUTEFILE: the file to open"},
        {"path", "EXECUTEFILE: its folder; PROGRAMMANAGER: the folder to open"},
        {"ExeParameter", "EXECUTEFILE: parameters"},
        {"xStart", "the item's left edge with FixedPosition"},
        {"yStart", "the item's top with FixedPosition"},
        {"xEnd", "kept; nothing uses it"},
        {"yEnd", "kept; nothing uses it"},
        {"PictureUp", "picture in the normal state"},
        {"PictureDown", "picture while the button is held"},
        {"PictureSel", "picture under the pointer"},
    };
    return names;
}

namespace {
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}
}  // namespace

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsKnown(const std::vector<KnownName>& names, const std::string& name) {
    std::string lower = LowerAscii(name);
    for (const KnownName& known : names)
        if (LowerAscii(known.name) == lower) return true;
    return false;
}

std::vector<std::string> NamesOf(const std::vector<KnownName>& names) {
    std::vector<std::string> list;
    for (const KnownName& known : names) list.push_back(known.name);
    return list;
}

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates) {
    // Long names are compared only against names of about their length: the distance table
    // is the product of both lengths.
    if (name.size() > 256) return "";
    std::string lower = LowerAscii(name);
    std::string best;
    size_t bestDistance = 0;
    for (const std::string& candidate : candidates) {
        if (candidate.size() > name.size() + 3 || name.size() > candidate.size() + 3) continue;
        size_t distance = EditDistance(lower, LowerAscii(candidate));
        if (distance == 0) continue;
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // One slip in four letters, at most three in all.
    size_t allowed = std::min<size_t>(3, std::max<size_t>(1, std::max(name.size(), best.size()) / 4));
    return !best.empty() && bestDistance <= allowed ? best : "";
}
