#include "installer/device/config_manager.h"

#include "installer/core/system_libraries.h"

namespace {
template <typename F>
bool Lookup(HMODULE library, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

bool Load(ConfigManager& cm, HMODULE& library) {
    library = LoadLibraryRedirected("Cfgmgr32.dll");
    if (!library) return false;
    bool complete = Lookup(library, "CM_Get_Device_IDA", cm.getDeviceId) &&
                    Lookup(library, "CM_Get_Child", cm.getChild) &&
                    Lookup(library, "CM_Get_Sibling", cm.getSibling) &&
                    Lookup(library, "CM_Locate_DevNodeA", cm.locateDevNode);
    if (!complete) {
        FreeLibrary(library);
        library = nullptr;
        return false;
    }
    Lookup(library, "CM_Reenumerate_DevNode", cm.reenumerateDevNode);
    return true;
}
}  // namespace

const ConfigManager* ConfigManagerFunctions() {
    // Kept loaded for the whole run once complete; a failed attempt is tried again next time.
    static ConfigManager cm{};
    static HMODULE library = nullptr;
    if (!library && !Load(cm, library)) return nullptr;
    return &cm;
}
