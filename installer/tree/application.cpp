#include "installer/tree/application.h"

#include <shlobj.h>
#include "installer/record/program_group.h"
#include "installer/record/product_version.h"
#include "installer/record/programs_list_entry.h"
#include "installer/record/script_record.h"
#include "installer/record/shortcut_line.h"
#include "installer/record/uninstaller_copy.h"
#include "installer/tree/own_program.h"
#include "installer/registry/well_known_locations.h"

#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/well_known_locations.h"
#include "installer/tree/component.h"
#include "installer/tree/component_selection.h"
#include "installer/tree/file_entry.h"
#include "installer/script/mapped_file.h"
#include "installer/tree/setup_script.h"

Application::Application() : ScriptNode(nullptr, KindApplication) {}

Application& TheApplication() {
    static Application application;
    return application;
}

void Application::Reset() {
    while (ChildCount() > 0) DeleteChild(ChildCount() - 1);
    settings = ApplicationSettings();
    noDetection = false;
    deviceType = 0;
    status = 0;
    scheduledOwnCopy.Empty();
    loadedFrom_.Empty();
    SetSourceDir("");
    SetInstallDir("");
}

void Application::ReadSettings(const char* scriptPath) {
    AppSectionHooks hooks;
    hooks.expandDefaultDir = [](StrBuf& dir) { ExpandPathMacro(dir); };
    hooks.includeScript = [this](const StrBuf& file) {
        // Only a script node can take the included tables and components.
        if (SetupScript* first = ScriptAt(0)) first->Load(JoinPath(SourceDir(), file));
    };
    MappedFile file(scriptPath);
    ReadApplicationSection(file.Text(), settings, hooks, LanguageSuffix());
}

int Application::LoadInstall(const char* scriptPath) {
    SetupScript* script = new SetupScript(this);
    AppendChild(script);
    script->Load(scriptPath);
    ReadSettings(scriptPath);
    for (int i = ChildCount() - 1; i >= 0; --i)
        if (ScriptAt(i)->Count(AnyChild) == 0) DeleteChild(i);
    return ChildCount();
}

int Application::LoadUninstall(const char* recordKey) {
    RegKey record;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, recordKey, record.put()) != ERROR_SUCCESS) return 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        StrBuf name = SlotName(slot);
        StrBuf path;
        if (!ReadKeyDefault(path, record.get(), name) || path.IsEmpty()) continue;
        SetupScript* script = new SetupScript(this);
        if (script->Load(path, StrBuf(recordKey) + "\\" + name) == 0) {
            delete script;
            continue;
        }
        bool first = ChildCount() == 0;
        AppendChild(script);
        if (first) {
            // A record copy never holds "*include": it already contains everything.
            AppSectionHooks hooks;
            hooks.expandDefaultDir = [](StrBuf& dir) { ExpandPathMacro(dir); };
            MappedFile file(path);
            ReadApplicationSection(file.Text(), settings, hooks, LanguageSuffix());
        }
    }
    return ChildCount();
}

int Application::Load(const char* text, bool install) {
    loadedFrom_ = text;
    return install ? LoadInstall(text) : LoadUninstall(text);
}

bool Application::UseCommonPrograms() const { return UseCommonProgramsFor(settings.commonGroup, GetOsVersionCode()); }

bool Application::WriteScript(HANDLE file) {
    StrBuf uninstallWord = ResString(42);
    bool ok = true;
    for (const StrBuf& line : ApplicationSectionLines(settings, uninstallWord, LanguageSuffix()))
        ok = WriteLine(file, line) && ok;
    return ok;
}

SetupScript* Application::ScriptAt(int position) const { return static_cast<SetupScript*>(Child(position)); }

Component* Application::ComponentAt(int index) {
    if (index < 0 || index >= Count(KindComponent)) return nullptr;
    return static_cast<Component*>(GetAt(index, KindComponent));
}

StrBuf Application::ComponentName(int index) {
    Component* component = ComponentAt(index);
    return component ? component->name : StrBuf();
}

bool Application::ComponentEnabled(int index) {
    Component* component = ComponentAt(index);
    return component && component->enabled;
}

bool Application::SetComponentEnabled(int index, bool enabled) {
    Component* component = ComponentAt(index);
    if (!component) return false;
    bool previous = component->enabled;
    component->enabled = enabled;
    return previous;
}

int Application::ComponentSpaceNeeded(int index) {
    Component* component = ComponentAt(index);
    return component ? component->keys.spaceNeededK : 0;
}

int Application::ComponentDeviceType(int index) {
    Component* component = ComponentAt(index);
    return component ? component->keys.deviceType : 0;
}

bool Application::ComponentOffered(int index) {
    Component* component = ComponentAt(index);
    return component && component->changeable;
}

namespace {

// Where the uninstaller's pictures are kept. Without an install folder they go to the
// Windows folder, and are deleted there again, never from the current folder.
StrBuf PictureFolder(Application& app) {
    StrBuf folder = app.InstallDir();
    return folder.IsEmpty() ? WindowsDirectory() : folder;
}

void CopyPictures(Application& app) {
    StrBuf target = PictureFolder(app);
    for (const StrBuf& picture : UninstallerPictures(app.settings))
        CopyFileA(JoinPath(app.SourceDir(), picture), JoinPath(target, picture), FALSE);
}

void DeletePictures(Application& app) {
    StrBuf folder = PictureFolder(app);
    for (const StrBuf& picture : UninstallerPictures(app.settings)) {
        StrBuf path = JoinPath(folder, picture);
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
}

// The copy of the installer the link starts: the one a file entry installed, or else a copy
// of its own in the installation folder, named in the record so that the removal takes it.
StrBuf UninstallerForLink(Application& app, HKEY product) {
    StrBuf installed = InstalledOwnProgram(app);
    if (!installed.IsEmpty() || !product) return installed;
    StrBuf folder = app.InstallDir();
    if (folder.IsEmpty()) folder = WindowsDirectory();
    StrBuf copy = CopyOwnProgramInto(folder);
    if (!copy.IsEmpty()) WriteKeyDefault(copy, product, kOwnCopyKey);
    return copy;
}

void CreateUninstallShortcutStep(Application& app, const char* uninstaller) {
    // No link rather than one to the medium, which is gone when the user wants to remove.
    if (!uninstaller || !*uninstaller) return;
    CreateUninstallShortcutIn(ProgramGroupFolder(app.GroupName(), app.UseCommonPrograms()),
                              app.settings.uninstallName, app.settings.produceName, uninstaller);
}

void RemoveRecordedOwnCopy(Application& app, HKEY record) {
    StrBuf copy;
    if (!record || !ReadKeyDefault(copy, record, kOwnCopyKey, MAX_PATH) || copy.IsEmpty()) return;
    if (RemoveOwnCopy(copy) == OwnCopyFate::ScheduledForRestart) app.scheduledOwnCopy = copy;
}

void RemoveUninstallShortcut(Application& app) {
    StrBuf programs;
    GetSpecialFolderPath(nullptr, app.UseCommonPrograms() ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs);
    RemoveUninstallShortcutIn(programs, app.GroupName(), app.settings.uninstallName);
}

// The program the installation's first link starts, where it was installed: the file that
// speaks for the product. Empty when no enabled component links to a file in place.
StrBuf ProductProgram(Application& app) {
    for (int i = 0; i < app.Count(KindComponent); ++i) {
        Component* component = app.ComponentAt(i);
        if (!component || !component->enabled) continue;
        OwnedList<EntryNode>* links = component->EntryList(KindShortcut);
        for (int j = 0; j < links->Count(); ++j) {
            const FileEntry* file = static_cast<const FileEntry*>(links->At(j)->target);
            if (file && !file->installedLocation.IsEmpty())
                return JoinPath(file->installedLocation, file->fields.destName);
        }
    }
    return StrBuf();
}

void ListInProgramsList(Application& app, const StrBuf& recordKey, const StrBuf& uninstaller) {
    ProgramsListFacts facts;
    facts.productName = app.settings.produceName;
    facts.uninstaller = uninstaller;
    facts.recordKey = recordKey;
    facts.installDir = app.InstallDir();
    facts.sizeK = TotalSpaceNeeded(app);
    ProductVersionText product = ReadProductVersionText(ProductProgram(app));
    facts.publisher = product.publisher;
    facts.version = product.version;
    WriteProgramsListEntry(facts);
}

// The product named by a record key "SetupExt\<product>", as the list entry is keyed.
StrBuf ProductOfRecordKey(const StrBuf& recordKey) {
    int slash = recordKey.Find('\\');
    return slash < 0 ? StrBuf() : recordKey.Mid(slash + 1);
}

void RecordInstallation(Application& app) {
    if (app.settings.dontKeepUninstallInfo) return;
    RegKey product;
    StrBuf keyPath = RecordKeyOf(app.settings.produceName);
    // Without a product name the record would land on "SetupExt" itself, and its
    // removal would take every other product's record with it.
    if (!app.settings.produceName.IsEmpty() &&
        RegCreateKeyA(HKEY_CLASSES_ROOT, keyPath, product.put()) == ERROR_SUCCESS) {
        StrBuf installDir = app.InstallDir();
        RegSetValueA(product.get(), nullptr, REG_SZ, installDir, static_cast<DWORD>(installDir.Length()));
        app.SaveRecord(product.get());
    }
    // The Control Panel's list starts the same installed copy as the link: one is needed
    // whenever the installation is recorded.
    StrBuf uninstaller;
    if (!app.settings.uninstallName.IsEmpty() || product) uninstaller = UninstallerForLink(app, product.get());
    if (product) ListInProgramsList(app, keyPath, uninstaller);
    product.reset();
    CopyPictures(app);
    if (!app.settings.uninstallName.IsEmpty()) CreateUninstallShortcutStep(app, uninstaller);
}

void RemoveInstallation(Application& app) {
    const StrBuf& recordKey = app.LoadedFrom();
    RegKey record;
    if (!recordKey.IsEmpty() && RegOpenKeyA(HKEY_CLASSES_ROOT, recordKey, record.put()) == ERROR_SUCCESS)
        app.RemoveRecord(record.get());
    if (app.CanRemove()) RemoveRecordedOwnCopy(app, record.get());
    record.reset();
    if (!app.CanRemove()) return;
    if (!recordKey.IsEmpty()) {
        DeleteKeyTree(HKEY_CLASSES_ROOT, recordKey);
        DeleteProgramsListEntry(ProductOfRecordKey(recordKey));
    }
    DeletePictures(app);
    app.RemoveDirectories();
    RemoveUninstallShortcut(app);
}

}  // namespace

void FinishApplication() { FinishApplication(TheApplication()); }

void FinishApplication(Application& app) {
    app.RunAfterPrograms();
    if (RunMode() == RunInstallMode)
        RecordInstallation(app);
    else
        RemoveInstallation(app);
}
