#pragma once
// The one Application node: the [App] settings, the start-up facts, and the scripts
// of the run (the expanded script when installing, the record's copies when removing).
#include <windows.h>
#include "installer/script/app_section.h"
#include "installer/script/script_node.h"

class Component;
class SetupScript;

class Application : public ScriptNode {
public:
    Application();

    // Install: text is the expanded script's path. Uninstall: text is the record key
    // below HKEY_CLASSES_ROOT. Returns the number of scripts kept.
    int Load(const char* text, bool install);
    // Empties the tree and restores every default (a fresh run in the same process).
    void Reset();

    // The application's own group name is the [App] section's DefPMGroup.
    StrBuf GroupName() const override { return settings.groupName; }
    void SetGroupName(const char* name) { settings.groupName = name; }
    bool UseCommonPrograms() const override;
    bool WriteScript(HANDLE file) override;   // the [App] section of a record copy

    SetupScript* ScriptAt(int position) const;
    Component* ComponentAt(int index);
    // By component position over all scripts; a missing component reads as empty or 0.
    StrBuf ComponentName(int index);
    bool ComponentEnabled(int index);
    bool SetComponentEnabled(int index, bool enabled);   // returns the previous value
    int ComponentSpaceNeeded(int index);
    int ComponentDeviceType(int index);
    bool ComponentOffered(int index);

    const StrBuf& LoadedFrom() const { return loadedFrom_; }

    ApplicationSettings settings;
    bool noDetection = false;   // "NODRV"
    int deviceType = 0;         // "DEV:"
    int status = 0;             // how the last install or removal run ended
    StrBuf scheduledOwnCopy;    // the installer's own copy left for the restart (it was running)

private:
    void ReadSettings(const char* scriptPath);
    int LoadInstall(const char* scriptPath);
    int LoadUninstall(const char* recordKey);

    StrBuf loadedFrom_;
};

Application& TheApplication();

// The closing step of a run: after-programs, then the record and the uninstaller's
// pictures (install) or their removal with the emptied directories (uninstall).
void FinishApplication();
void FinishApplication(Application& app);
