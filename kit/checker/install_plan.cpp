#include "kit/checker/install_plan.h"

#include <climits>
#include <map>
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/device/device_rules.h"
#include "installer/device/helper_steps.h"
#include "installer/files/install_decisions.h"
#include "installer/files/lz_header.h"
#include "installer/record/programs_list_entry.h"
#include "installer/record/record_names.h"
#include "kit/checker/kit_check.h"
#include "kit/checker/script_model.h"
#include "kit/checker/version_resource.h"

namespace {

std::string Str(const StrBuf& text) { return text.c_str(); }

std::string Backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// A file's bytes as they are once installed: a compressed one expanded.
std::string Expanded(const std::string& bytes) {
    bool compressed = false;
    return ExpandedBytes(bytes, &compressed);
}

// The script variant the installer takes in a folder: the first name of its chain there.
std::string ChooseVariant(const Medium& medium, const std::string& folder, const std::vector<const char*>& chain) {
    for (const char* name : chain) {
        std::string path = folder.empty() ? name : folder + "/" + name;
        if (medium.IsFile(path)) return medium.Find(path);
    }
    return "";
}

class Planner {
public:
    Planner(const PlanRequest& request, ScriptSources& sources, InstallPlan& plan, const std::string& installerName)
        : request_(request), sources_(sources), plan_(plan), installerName_(installerName) {}

    void Run(const ScriptModel& model) {
        model_ = &model;
        if (model.components.empty()) {
            plan_.outcome = PlanNoScript;
            plan_.stop = "the script has no component: the installer finds nothing to install";
            return;
        }
        source_ = MediumFolderPath(model.scriptFolder);
        ChooseComponents();
        ChooseFolders();
        RunProgramsBefore();
        bool ok = MakeFolders() && InstallFiles();
        if (ok) {
            ChangeIniFiles();
            SetRegistryValues();
            ok = MakeLinks();
        }
        if (ok) {
            RunProgramsAfter();
            Record();
        }
        PruneEmptyFolders();
        KeysLeftBehind();
        PlanUninstall();
    }

private:
    // --- what the run chooses before it acts ---

    void ChooseComponents() {
        bool anyDevice = false;
        for (const ComponentModel& c : model_->components) anyDevice = anyDevice || c.keys.deviceType != 0;
        for (const ComponentModel& c : model_->components) {
            bool enabled = c.keys.enabled;
            // "/NODRV /DEV:n": the tablet given chooses the device components, none searched for.
            if (anyDevice && c.keys.deviceType != 0)
                enabled = SelectByDeviceFor(true, request_.deviceType, 0, c.keys.deviceType).enabled;
            enabled_.push_back(enabled);
        }
    }

    void ChooseFolders() {
        const ApplicationSettings& app = model_->app;
        StrBuf dir = request_.installDir.empty() ? app.defaultDir : StrBuf(request_.installDir.c_str());
        if (request_.installDir.empty()) ExpandFreshMacro(dir);   // as the script's DefDir is read
        installDir_ = Str(dir);
        StrBuf programs(FolderOf(UseCommonProgramsFor(app.commonGroup, request_.machine.osVersionCode) ? "{COMMONPROGRAMS}"
                                                                                                           : "{PROGRAMS}")
                            .c_str());
        group_ = Str(JoinPath(programs, app.groupName));
        bool machineFolder = false;
        for (const auto& folder : MachineFolders()) machineFolder = machineFolder || SameText(folder.second, installDir_);
        if (!installDir_.empty() && !machineFolder) own_.push_back({"{INSTALLDIR}", installDir_});
        own_.push_back({"{GROUP}", group_});
        plan_.definitions.push_back({"{INSTALLDIR}", installDir_.empty() ? "(none)" : WithPlaceholders(installDir_)});
        plan_.definitions.push_back({"{GROUP}", WithPlaceholders(group_)});
        DirectoryFacts facts = FreshDirectoryFacts();
        for (const TableRow& row : model_->sourceDirs)
            sourceDirs_.push_back({row.id, Str(ResolveDirSpec(row.text, source_, StrBuf(), facts))});
        for (const TableRow& row : model_->destDirs)
            destDirs_.push_back({row.id, Str(ResolveDirSpec(row.text, installDir_.c_str(), source_, facts))});
    }

    struct Dir {
        int id;
        std::string path;
    };

    static const Dir* Find(const std::vector<Dir>& table, int id) {
        for (const Dir& dir : table)
            if (dir.id == id) return &dir;
        return nullptr;
    }
    const Dir* SourceDir(int id) const { return Find(sourceDirs_, id); }
    // A negative id names a source folder, which the destination then is.
    const Dir* DestDir(int id) const {
        if (id < 0) return id == INT_MIN ? nullptr : Find(sourceDirs_, -id);
        return Find(destDirs_, id);
    }

    // --- the install, step by step ---

    void RunProgramsBefore() {
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const HelperStep& step : ComponentHelperSteps(c.keys, false, BeforeItems)) {
                const FileAt* file = FileNamed(c, step.name);
                if (!file) continue;
                // The component's own file is not there yet on a fresh machine: nothing starts.
                Note(Component(i), "before the files " + Str(step.name) +
                                       " would start, but it is one of the component's own files and not there yet");
            }
        });
    }

    bool MakeFolders() {
        AddFolder(installDir_);
        for (const Dir& dir : destDirs_) AddFolder(dir.path);
        return true;
    }

    // A folder and those above it that a fresh machine does not have, once each.
    void AddFolder(const std::string& path) {
        if (path.empty()) return;
        std::vector<std::string> made;
        for (std::string folder = path; !folder.empty() && !FreshMachineHasFolder(folder, request_.machine);) {
            made.insert(made.begin(), folder);
            std::string parent = Str(DirectoryPart(folder.c_str()));
            if (parent == folder) break;
            folder = parent;
        }
        for (const std::string& folder : made) {
            bool known = false;
            for (const std::string& f : folders_) known = known || SameText(f, folder);
            if (!known) folders_.push_back(folder);
        }
    }

    bool InstallFiles() {
        bool ok = true;
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const FileAt& file : c.files) {
                if (!ok) return;
                ok = InstallFile(i, file);
            }
        });
        return ok;
    }

    bool InstallFile(size_t component, const FileAt& file) {
        const FileEntryLine& f = file.fields;
        const Dir* source = SourceDir(f.sourceDirId);
        const Dir* dest = DestDir(f.destDirId);
        if (!source || !dest) {
            Stop(Str(f.displayName) + ": its " + (source ? "destination" : "source") + " folder id " +
                 std::to_string(source ? f.destDirId : f.sourceDirId) + " names no row of its table");
            return false;
        }
        std::string sourcePath = Str(JoinPath(source->path.c_str(), f.sourceName));
        std::string mediumPath;
        bool onMedium = MediumPathOf(sourcePath.c_str(), mediumPath);
        if (onMedium && !sources_.medium().IsFile(mediumPath)) {
            // A silent run answers the request for the medium with Cancel.
            if (StandardFileReply(EV_NEED_SOURCE, 0, true, nullptr, nullptr) != ReplyOk) {
                Stop(Str(f.displayName) + ": its source " + Backslashed(mediumPath) + " is not on the medium");
                return false;
            }
        }
        std::string destPath = Str(JoinPath(dest->path.c_str(), f.destName));
        if (destPath.size() >= static_cast<size_t>(kMaxPath)) {
            Note(Component(component), Str(f.displayName) + " is skipped: its destination is 260 characters or more");
            return true;
        }
        Add({"file", Component(component), Name(destPath), FileSourceText(onMedium, mediumPath, sourcePath), FileFate(f),
             CopyText(f.installMode)});
        installed_[&file] = dest->path;
        return true;
    }

    static std::string CopyText(int installMode) {
        // On a fresh machine the destination is new, so both modes copy at once.
        if (installMode == 5) return "install mode 5 (an existing file is replaced at the next restart)";
        return "install mode " + std::to_string(installMode) + " (versions compared over an existing file)";
    }

    std::string FileSourceText(bool onMedium, const std::string& mediumPath, const std::string& sourcePath) const {
        if (!onMedium) return Name(sourcePath) + " (not on the medium)";
        const Medium& medium = sources_.medium();
        std::string head;
        medium.ReadHead(mediumPath, kLzHeaderSize, head);
        bool compressed = IsLzCompressedHeader(reinterpret_cast<const unsigned char*>(head.data()), head.size());
        std::string spelt = Backslashed(medium.Find(mediumPath));
        std::string bytes;
        std::string version;
        if (medium.Read(mediumPath, bytes)) version = FileVersionText(Expanded(bytes));
        std::string source = compressed ? "expanded from " + spelt : spelt;
        if (version.empty()) return source;
        return "version " + version + " (" + source + ")";
    }

    std::string FileFate(const FileEntryLine& f) const {
        if (!f.removeOnUninstall) return "stays (RemoveOnUninstall N)";
        if (IsProtectedName(f.destName, installerName_.c_str()))
            return "stays (the installer's own program and script are never deleted)";
        return "removed";
    }

    void ChangeIniFiles() {
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const auto& located : c.iniEntries) {
                const IniEntry& entry = located.first;
                if (!IniEntryHasTarget(entry)) continue;
                std::string file = IniFilePath(entry);
                if (entry.removeOnInstall) {
                    Note(Component(i), "the install removes " + Name(file) + " [" + Str(entry.section) + "] " +
                                           Str(entry.key));
                    continue;
                }
                const Dir* dir = entry.directoryNumber != 0 ? DestDir(entry.directoryNumber) : nullptr;
                StrBuf value = EffectiveIniValue(entry, dir ? dir->path.c_str() : nullptr);
                Add({"ini", Component(i), Name(file), "[" + Str(entry.section) + "] " + Str(entry.key) + "=" + Name(Str(value)),
                     entry.removeOnUninstall ? "removed" : "stays (RemoveOnUninstall N)"});
            }
        });
    }

    // The profile functions look for a bare name in the Windows folder.
    std::string IniFilePath(const IniEntry& entry) const {
        std::string file = Str(entry.file);
        if (file.find('\\') != std::string::npos || file.find(':') != std::string::npos) return file;
        return Str(JoinPath(FolderOf("{WINDOWS}").c_str(), entry.file));
    }

    void SetRegistryValues() {
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const auto& located : c.registryEntries) SetRegistryValue(i, located.first);
        });
    }

    void SetRegistryValue(size_t component, const RegistryEntryLine& line) {
        const Dir* dir = line.directoryId != 0 ? DestDir(line.directoryId) : nullptr;
        std::string key = RegistryKeyName(line.root, Str(line.keyPath));
        if (line.directoryId != 0 && !dir) {
            Note(Component(component), key + ": no value, its folder id " + std::to_string(line.directoryId) +
                                           " names no [DstDirs] row");
            return;
        }
        StrBuf data = RegistryEntryData(line, dir ? dir->path.c_str() : nullptr);
        if (!RegistryEntryTouchesKey(line, data)) return;
        if (!FreshMachineHasKey(RegistryKeyName(line.root, ""), request_.machine)) {
            Note(Component(component), key + ": no value, " + RegistryKeyName(line.root, "") + " is not on this system");
            return;
        }
        madeKeys_.push_back({key, component});
        RegistryValueBytes value = EncodeRegistryValue(line.type, data);
        if (value.systemType == 0) {
            Note(Component(component), key + ": " + Str(line.valueName) + " is a REG_BINARY line, which sets no value");
            return;
        }
        std::string name = line.NamesDefaultValue() ? "(default)" : Str(line.valueName);
        Add({"regval", Component(component), Name(key), Name(name + " " + ValueText(value)), "removed"});
    }

    // Every enabled component's links, in the group folder they share; a link whose target is no
    // file of its component ends the walk and, with it, the install before its record.
    bool MakeLinks() {
        if (model_->app.noPMInfo) return true;
        bool ok = true;
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            if (!ok || model_->app.groupName.IsEmpty()) return;
            AddFolder(group_);
            for (const auto& located : c.shortcuts) ok = MakeLink(i, c, located.first) && ok;
            if (!ok) Stop(Str(c.name) + ": a link names no file of its component");
        });
        return ok;
    }

    bool MakeLink(size_t component, const ComponentModel& c, const ShortcutLine& line) {
        LinkPlace place = LinkPlaceFor(line.folderCode);
        const FileAt* target = nullptr;
        for (const FileAt& file : c.files)
            if (!target && CompareNoCase(file.fields.destName, line.target) == 0) target = &file;
        if (!target) return place.folder == LinkFolder::None;
        auto installed = installed_.find(target);
        if (place.folder == LinkFolder::None || installed == installed_.end()) return true;
        std::string folder = place.folder == LinkFolder::Special ? SpecialFolder(place.csidl) : group_;
        std::string location = installed->second;
        std::string targetPath = Str(JoinPath(location.c_str(), target->fields.destName));
        Add({"link", Component(component), Name(Str(LinkFilePath(folder.c_str(), line.caption))),
             Name(targetPath) + "; " + Name(location) + "; none", "removed"});
        return true;
    }

    static std::string SpecialFolder(int csidl) {
        switch (csidl) {
        case 7: return FolderOf("{STARTUP}");
        case 16: return FolderOf("{DESKTOP}");
        case 24: return FolderOf("{COMMONSTARTUP}");
        default: return FolderOf("{COMMONDESKTOP}");
        }
    }

    // The components' programs and registrations after the files, each found among its files.
    void RunProgramsAfter() {
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const HelperStep& step : ComponentHelperSteps(c.keys, false, AfterItems)) {
                const FileAt* file = FileNamed(c, step.name);
                if (!file) {
                    Note(Component(i), Str(step.name) + " is no file of the component: it is not started");
                    continue;
                }
                auto installed = installed_.find(file);
                std::string location = installed == installed_.end() ? "" : installed->second;
                const Dir* dest = DestDir(file->fields.destDirId);
                std::string dir = HelperDirectory(step, location.c_str(), dest ? dest->path.c_str() : nullptr);
                Add({"run", Component(i), "install, after the files",
                     RunText(Str(HelperCommandLine(step, false, dir.c_str())), step.wait), "-"});
                // What a library writes when it registers itself is in its code, not in the kit.
                if (step.kind == RegistersLibrary)
                    Note(Component(i), Str(step.name) + " writes its own registry values when registered; the uninstall "
                                           "unregisters it before its files go");
            }
        });
    }

    std::string RunText(const std::string& command, bool wait) const {
        return Name(command) + (wait ? "   (waited for)" : "   (not waited for)");
    }

    // --- the installation record, the uninstaller, its link and the Control Panel's entry ---

    void Record() {
        const ApplicationSettings& app = model_->app;
        if (app.dontKeepUninstallInfo) {
            Note("App", "DontKeepUninstallInfo: no record, no uninstall link, no entry in the list of programs");
            return;
        }
        bool recorded = !app.produceName.IsEmpty();
        std::string recordKey = Str(RecordKeyOf(app.produceName));
        if (recorded) WriteRecord(recordKey);
        std::string uninstaller;
        if (!app.uninstallName.IsEmpty() || recorded) uninstaller = Uninstaller(recorded, recordKey);
        if (recorded && !uninstaller.empty()) ListInProgramsList(recordKey, uninstaller);
        CopyPictures();
        if (!app.uninstallName.IsEmpty() && !uninstaller.empty()) UninstallLink(uninstaller);
    }

    void WriteRecord(const std::string& recordKey) {
        std::string product = "HKCR\\" + recordKey;
        std::string slot = product + "\\" + Str(SlotName(0));
        std::string copy = Str(JoinPath(installDir_.c_str(), "ST~*.TMP"));
        Add({"file", "App", Name(copy), "the saved script copy (" + Backslashed(plan_.script) + " as read for this system)",
             "removed"});
        Add({"regval", "App", Name(product), "(default) REG_SZ " + Name(installDir_), "removed"});
        Add({"regval", "App", Name(slot), "(default) REG_SZ " + Name(copy), "removed"});
        Add({"regval", "App", Name(slot + "\\PATH"), "(default) REG_SZ " + Name(installDir_), "removed"});
        Add({"regval", "App", Name(slot + "\\GroupName"), "(default) REG_SZ " + Str(model_->app.groupName), "removed"});
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            Add({"regval", "App", slot + "\\" + Str(c.recordName), "(default) REG_SZ " + Str(c.name), "removed"});
        });
        Add({"regkey", "App", product, "the whole record", "removed"});
        Add({"regkey", "App", "HKCR\\SetupExt", "created as the record's parent",
             "stays (it holds every product's record)"});
    }

    // The installed copy of the installer when a file entry puts one in place, else a copy of
    // its own in the installation folder, which the record names so that the removal takes it.
    std::string Uninstaller(bool recorded, const std::string& recordKey) {
        std::string own;
        ForEachEnabled([&](size_t, const ComponentModel& c) {
            const FileAt* file = FileNamed(c, installerName_.c_str());
            auto installed = file ? installed_.find(file) : installed_.end();
            if (own.empty() && installed != installed_.end())
                own = Str(JoinPath(installed->second.c_str(), file->fields.destName));
        });
        if (!own.empty() || !recorded) return own;
        std::string folder = installDir_.empty() ? FolderOf("{WINDOWS}") : installDir_;
        std::string copy = Str(JoinPath(folder.c_str(), installerName_.c_str()));
        std::string medium = Backslashed(plan_.scriptFolder.empty() ? installerName_ : plan_.scriptFolder + "/" + installerName_);
        Add({"file", "App", Name(copy), medium + " (the installer's own copy, for the uninstall)",
             "removed (at the next restart: it runs the uninstall)"});
        Add({"regval", "App", "HKCR\\" + recordKey + "\\" + kOwnCopyKey, "(default) REG_SZ " + Name(copy), "removed"});
        return copy;
    }

    void ListInProgramsList(const std::string& recordKey, const std::string& uninstaller) {
        ProgramsListFacts facts;
        facts.productName = model_->app.produceName;
        facts.uninstaller = uninstaller.c_str();
        facts.recordKey = recordKey.c_str();
        facts.installDir = installDir_.c_str();
        facts.sizeK = SpaceNeededK();
        ProductVersion(facts);
        std::string key = "HKLM\\" + Str(ProgramsListKeyPath(facts.productName));
        for (const ProgramsListValue& value : ProgramsListValues(facts)) {
            std::string data = value.isNumber ? "REG_DWORD " + std::to_string(value.number) : "REG_SZ " + Name(Str(value.text));
            Add({"regval", "App", key, std::string(value.name) + " " + data, "removed"});
        }
        Add({"regkey", "App", key, "the whole entry", "removed"});
    }

    int SpaceNeededK() const {
        long long total = 0;
        ForEachEnabled([&](size_t, const ComponentModel& c) { total += c.keys.spaceNeededK; });
        return total > INT_MAX ? INT_MAX : static_cast<int>(total);
    }

    // Publisher and version from the program the first link starts, as the list shows them.
    void ProductVersion(ProgramsListFacts& facts) const {
        const FileAt* program = nullptr;
        ForEachEnabled([&](size_t, const ComponentModel& c) {
            for (const auto& link : c.shortcuts)
                if (!program)
                    if (const FileAt* file = FileNamed(c, link.first.target))
                        if (installed_.count(file)) program = file;
        });
        if (!program) return;
        const Dir* source = SourceDir(program->fields.sourceDirId);
        std::string mediumPath, bytes;
        if (!source || !MediumPathOf(JoinPath(source->path.c_str(), program->fields.sourceName), mediumPath) ||
            !sources_.medium().Read(mediumPath, bytes))
            return;
        ProductVersionStrings strings = ReadProductVersionStrings(Expanded(bytes));
        facts.publisher = strings.publisher.c_str();
        facts.version = strings.version.c_str();
    }

    // The uninstaller's pictures beside the record: copied when the medium has them.
    void CopyPictures() {
        std::string folder = installDir_.empty() ? FolderOf("{WINDOWS}") : installDir_;
        for (const StrBuf& picture : UninstallerPictures(model_->app)) {
            std::string mediumPath;
            if (!MediumPathOf(JoinPath(source_, picture), mediumPath) || !sources_.medium().IsFile(mediumPath)) {
                Note("App", Str(picture) + " is not on the medium: no picture for the uninstaller");
                continue;
            }
            Add({"file", "App", Name(Str(JoinPath(folder.c_str(), picture))), Backslashed(sources_.medium().Find(mediumPath)),
                 "removed"});
        }
    }

    void UninstallLink(const std::string& uninstaller) {
        AddFolder(group_);
        std::string arguments = Str(UninstallLinkArguments(model_->app.produceName));
        while (!arguments.empty() && arguments[0] == ' ') arguments.erase(0, 1);
        Add({"link", "App", Name(Str(LinkFilePath(group_.c_str(), model_->app.uninstallName))),
             Name(uninstaller) + "; not set; " + arguments, "removed"});
        uninstallLink_ = true;
    }

    // --- what the end of the install and the uninstall do with folders and keys ---

    bool Below(const std::string& path, const std::string& folder) const {
        return !folder.empty() && path.size() >= folder.size() && SameText(path.substr(0, folder.size()), folder) &&
               (path.size() == folder.size() || path[folder.size()] == '\\');
    }

    // Folders of the installation folder that received nothing are removed at the end of the install.
    void PruneEmptyFolders() {
        std::vector<PlanItem> items;
        for (const std::string& folder : folders_) {
            bool inInstall = Below(folder, installDir_);
            bool inGroup = Below(folder, group_) && !model_->app.groupName.IsEmpty();
            if (inInstall && !HoldsAnything(folder)) {
                Note("App", Name(folder) + " is made and removed again at the end of the install: nothing went there");
                continue;
            }
            std::string after = "stays (empty: the uninstall removes only the installation folder's tree)";
            if (inInstall || (inGroup && uninstallLink_)) after = "removed when empty";
            items.push_back({"folder", "App", Name(folder), "created", after});
        }
        plan_.install.insert(plan_.install.begin(), items.begin(), items.end());
    }

    bool HoldsAnything(const std::string& folder) const {
        for (const PlanItem& item : plan_.install)
            if ((item.kind == "file" || item.kind == "link") && Below(Unnamed(item.where), folder)) return true;
        return false;
    }

    std::string Unnamed(const std::string& where) const {
        std::string path = where;
        for (const auto& own : own_)
            if (path.compare(0, own.first.size(), own.first) == 0) return own.second + path.substr(own.first.size());
        for (const auto& folder : MachineFolders())
            if (path.compare(0, folder.first.size(), folder.first) == 0) return folder.second + path.substr(folder.first.size());
        return path;
    }

    // A key the install made for a value, with those above it that a fresh machine lacks, stays
    // unless a whole-key line of an installed component takes it.
    void KeysLeftBehind() {
        std::vector<std::string> reported;
        for (const auto& made : madeKeys_) {
            for (std::string key = made.first; !FreshMachineHasKey(key, request_.machine);) {
                bool taken = false;
                for (const std::string& whole : WholeKeys()) taken = taken || Below(key, whole);
                bool seen = false;
                for (const std::string& r : reported) seen = seen || SameText(r, key);
                if (!taken && !seen) {
                    reported.push_back(key);
                    Add({"regkey", Component(made.second), Name(key), "created for the values",
                         "stays (empty: no line of the kit removes the whole key)"});
                }
                size_t slash = key.rfind('\\');
                if (slash == std::string::npos) break;
                key = key.substr(0, slash);
            }
        }
    }

    std::vector<std::string> WholeKeys() const {
        std::vector<std::string> keys;
        ForEachEnabled([&](size_t, const ComponentModel& c) {
            for (const auto& located : c.registryEntries)
                if (!located.first.keyPath.IsEmpty() && RegistryEntryNamesWholeKey(located.first))
                    keys.push_back(RegistryKeyName(located.first.root, Str(located.first.keyPath)));
        });
        return keys;
    }

    // The uninstall's own steps, in its order: programs and unregistrations before the items,
    // the whole keys, the tablet's client stopped, then the programs after the files.
    void PlanUninstall() {
        if (model_->app.dontKeepUninstallInfo || model_->app.produceName.IsEmpty()) return;
        UninstallPrograms(BeforeItems);
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const auto& located : c.registryEntries)
                if (!located.first.keyPath.IsEmpty() && RegistryEntryNamesWholeKey(located.first))
                    AddUninstall({"regkey", Component(i), Name(RegistryKeyName(located.first.root, Str(located.first.keyPath))),
                                  "the whole key", "removed"});
        });
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            StopCommand stop;
            if (StopCommandFor(c.keys.deviceType, stop))
                AddUninstall({"run", Component(i), "uninstall, before the files",
                              std::string(stop.command) + "   (hidden, given " + std::to_string(stop.waitMs / 1000) + " s)", "-"});
        });
        UninstallPrograms(AfterItems);
    }

    void UninstallPrograms(HelperPhase phase) {
        ForEachEnabled([&](size_t i, const ComponentModel& c) {
            for (const HelperStep& step : ComponentHelperSteps(c.keys, true, phase)) {
                const FileAt* file = FileNamed(c, step.name);
                const Dir* dest = file ? DestDir(file->fields.destDirId) : nullptr;
                if (!file) continue;
                std::string dir = HelperDirectory(step, "", dest ? dest->path.c_str() : nullptr);
                AddUninstall({"run", Component(i), phase == BeforeItems ? "uninstall, before the files" : "uninstall, after the files",
                              RunText(Str(HelperCommandLine(step, true, dir.c_str())), step.wait), "-"});
            }
        });
    }

    static std::string ValueText(const RegistryValueBytes& value) {
        if (value.systemType == 1) return "REG_SZ " + value.bytes.substr(0, value.bytes.size() - 1);
        unsigned long number = 0;
        for (size_t i = value.bytes.size(); i-- > 0;) number = number * 256 + static_cast<unsigned char>(value.bytes[i]);
        if (value.systemType == 4) return "REG_DWORD " + std::to_string(number);
        std::string hex = "REG_BINARY";
        static const char kDigits[] = "0123456789abcdef";
        for (unsigned char byte : value.bytes) {
            hex += ' ';
            hex += kDigits[byte >> 4];
            hex += kDigits[byte & 15];
        }
        return hex;
    }

    // --- the helpers the plan shares ---

    template <typename Fn>
    void ForEachEnabled(Fn fn) const {
        for (size_t i = 0; i < model_->components.size(); ++i)
            if (enabled_[i]) fn(i, model_->components[i]);
    }

    std::string Component(size_t i) const {
        std::string record = Str(model_->components[i].recordName);
        return record.size() > 3 ? record.substr(3) : record;
    }

    // The first file of the component whose destination name is name, case ignored.
    static const FileAt* FileNamed(const ComponentModel& c, const StrBuf& name) {
        for (const FileAt& file : c.files)
            if (CompareNoCase(file.fields.destName, name) == 0) return &file;
        return nullptr;
    }

    std::string Name(const std::string& text) const { return WithPlaceholders(text, own_); }
    static bool SameText(const std::string& a, const std::string& b) { return CompareNoCase(a.c_str(), b.c_str()) == 0; }

    void Add(const PlanItem& item) { plan_.install.push_back(item); }
    void AddUninstall(const PlanItem& item) { plan_.uninstall.push_back(item); }
    void Note(const std::string& component, const std::string& text) { plan_.notes.push_back(component + ": " + text); }
    void Stop(const std::string& why) {
        plan_.outcome = PlanStopsEarly;
        plan_.stop = "the install stops at " + why;
    }

    const PlanRequest& request_;
    ScriptSources& sources_;
    InstallPlan& plan_;
    std::string installerName_;
    const ScriptModel* model_ = nullptr;
    StrBuf source_;
    std::string installDir_, group_;
    std::vector<std::pair<std::string, std::string>> own_;   // {INSTALLDIR}, {GROUP}
    std::vector<bool> enabled_;
    std::vector<Dir> sourceDirs_, destDirs_;
    std::vector<std::string> folders_;
    std::map<const FileAt*, std::string> installed_;       // file -> the folder it went to
    bool uninstallLink_ = false;
    std::vector<std::pair<std::string, size_t>> madeKeys_; // keys values were set in, by component
};
}  // namespace

namespace {
void PlanScript(const SourceText& script, const std::string& folder, const PlanRequest& request, ScriptSources& sources,
                const std::string& installerName, InstallPlan& plan) {
    if (script.bytes.empty()) {
        plan.outcome = PlanNoScript;
        plan.stop = plan.script + " is empty or cannot be expanded: the installer finds no script";
        return;
    }
    ScriptModel model = ReadScriptModel(script, folder, request.languageSuffix, sources);
    Planner(request, sources, plan, installerName).Run(model);
}

InstallPlan EmptyPlan(const PlanRequest& request) {
    InstallPlan plan;
    plan.system = SystemTitle(request);
    plan.languageSuffix = request.languageSuffix;
    for (const char* name : ScriptCandidates(request.machine.architecture, request.machine.osVersionCode))
        plan.chain.push_back(name);
    return plan;
}
}  // namespace

InstallPlan MakeInstallPlan(const PlanRequest& request) {
    InstallPlan plan = EmptyPlan(request);
    Medium medium(request.medium);
    if (!medium.Exists()) {
        plan.outcome = PlanNoMedium;
        plan.stop = request.medium + " is no folder";
        return plan;
    }
    std::vector<std::string> folders = ScriptFolders(medium);
    plan.scriptFolder = folders.empty() ? "" : folders.front();
    std::vector<const char*> chain = ScriptCandidates(request.machine.architecture, request.machine.osVersionCode);
    plan.script = ChooseVariant(medium, plan.scriptFolder, chain);
    if (plan.script.empty()) {
        plan.outcome = PlanNoScript;
        std::string tried;
        for (const std::string& name : plan.chain) tried += (tried.empty() ? "" : ", ") + name;
        plan.stop = "no script variant for " + plan.system + " in " +
                    (plan.scriptFolder.empty() ? "the medium's root" : Backslashed(plan.scriptFolder)) +
                    ": the installer tries " + tried + " and installs nothing";
        return plan;
    }
    SourceTexts texts;
    ScriptSources sources(medium, texts);
    const SourceText* script = sources.Load(plan.script);
    if (!script) {
        plan.outcome = PlanNoScript;
        plan.stop = plan.script + " cannot be read";
        return plan;
    }
    PlanScript(*script, plan.scriptFolder, request, sources, InstallerName(medium, plan.scriptFolder), plan);
    return plan;
}

InstallPlan MakeInstallPlanFromBytes(const std::string& bytes, const PlanRequest& request) {
    InstallPlan plan = EmptyPlan(request);
    Medium medium("");   // no folder: every file the script names is missing
    SourceTexts texts;
    ScriptSources sources(medium, texts);
    plan.script = "SetupExt.WNT";
    PlanScript(texts.Add(plan.script, bytes), "", request, sources, "Instally.exe", plan);
    return plan;
}
