#include "installer/device/tablet_detection.h"
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/system_libraries.h"
#include "installer/device/serial_probe.h"

namespace {
// Bounds on the walk, so that a broken configuration manager (one that reports success
// without giving a node, or a tree with loops) cannot keep the installer searching.
const size_t MaxDepth = 256;
const int MaxNodes = 100000;

bool NodeMatches(const ConfigManager& cm, CmDevInst node) {
    char id[DeviceIdChars + 1] = {};
    if (cm.getDeviceId(node, id, DeviceIdChars, 0) != CmSuccess) return false;
    id[DeviceIdChars] = '\0';
    return IsTabletDeviceId(id);
}

CmDevInst FirstChild(const ConfigManager& cm, CmDevInst node) {
    CmDevInst child = 0;
    return cm.getChild(&child, node, 0) == CmSuccess && child != node ? child : 0;
}

CmDevInst NextSibling(const ConfigManager& cm, CmDevInst node) {
    CmDevInst sibling = 0;
    return cm.getSibling(&sibling, node, 0) == CmSuccess && sibling != node ? sibling : 0;
}

// Pre-order: a node before its children, the children in sibling order; the root's own
// siblings are not part of the tree.
CmDevInst SearchTree(const ConfigManager& cm, CmDevInst root) {
    std::vector<CmDevInst> ancestors;
    CmDevInst node = root;
    for (int visited = 0; visited < MaxNodes; ++visited) {
        if (NodeMatches(cm, node)) return node;
        CmDevInst child = ancestors.size() < MaxDepth ? FirstChild(cm, node) : 0;
        if (child) {
            ancestors.push_back(node);
            node = child;
            continue;
        }
        for (;;) {
            if (ancestors.empty()) return 0;
            CmDevInst sibling = NextSibling(cm, node);
            if (sibling) { node = sibling; break; }
            node = ancestors.back();
            ancestors.pop_back();
        }
    }
    return 0;
}

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
private:
    HCURSOR previous_;
};

typedef void* (WINAPI* OpenTabletDeviceFn)(int);
typedef BOOL (WINAPI* GetHwInfoFn)(void*, unsigned char*);
typedef BOOL (WINAPI* CloseTabletDeviceFn)(void*);

template <typename F>
F LibraryFunction(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
}  // namespace

int DetectTablet() {
    if (FindUsbTablet()) return DeviceUsb;
    if (FindTabletByLibraryOrPort()) return DeviceSerial;
    return DeviceNone;
}

CmDevInst FindUsbTablet() {
    const ConfigManager* cm = ConfigManagerFunctions();
    if (!cm) return 0;
    CmDevInst root = 0;
    if (cm->locateDevNode(&root, nullptr, 0) != CmSuccess) return 0;
    return SearchTree(*cm, root);
}

bool FindTabletByLibraryOrPort() {
    WaitCursor cursor;
    if (ProbeTabletLibrary()) return true;
    for (int port = FirstSerialPort; port <= LastSerialPort; ++port)
        if (ProbeSerialPort(port)) return true;
    return false;
}

bool ProbeTabletLibrary() {
    LibraryHandle library(LoadLibraryRedirected("WINTAB32.DLL"));
    if (!library) return false;
    auto open = LibraryFunction<OpenTabletDeviceFn>(library.get(), "OpenTabletDevice");
    auto close = LibraryFunction<CloseTabletDeviceFn>(library.get(), "CloseTabletDevice");
    auto info = LibraryFunction<GetHwInfoFn>(library.get(), "TDGetHwInfoEx");
    if (!open || !close || !info) return false;
    void* device = open(0);
    if (!device) return false;
    // Room beyond the record in case a library writes a longer one than it should.
    unsigned char record[HardwareRecordSize * 4] = {};
    bool found = info(device, record) && HardwareRecordShowsTablet(record, HardwareRecordSize);
    close(device);
    return found;
}
