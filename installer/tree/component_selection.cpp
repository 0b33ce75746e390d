#include "installer/tree/component_selection.h"

#include <vector>
#include "installer/tree/application.h"
#include "installer/tree/component.h"

namespace {
template <typename Fn>
void ForEachComponent(Application& app, Fn fn) {
    int count = app.Count(KindComponent);
    for (int i = 0; i < count; ++i)
        if (Component* c = app.ComponentAt(i)) fn(*c);
}
}  // namespace

int TotalSpaceNeeded(Application& app) {
    long long total = 0;
    ForEachComponent(app, [&](Component& c) { if (c.enabled) total += c.keys.spaceNeededK; });
    return total > 0x7fffffff ? 0x7fffffff : static_cast<int>(total);
}

int FindDeviceConflict(Application& app, int index) {
    std::vector<DeviceComponentState> states;
    ForEachComponent(app, [&](Component& c) { states.push_back({c.enabled, c.keys.deviceType}); });
    return FindDeviceConflictIn(states, index);
}

bool AnyDeviceComponent(Application& app) {
    bool any = false;
    ForEachComponent(app, [&](Component& c) { any = any || c.keys.deviceType != 0; });
    return any;
}

void SelectComponentsByDevice(Application& app, bool noDetection, int deviceType, int forced) {
    ForEachComponent(app, [&](Component& c) {
        if (c.keys.deviceType != 0) c.SelectByDevice(noDetection, deviceType, forced);
    });
}

std::vector<int> EnabledDeviceTypes(Application& app) {
    std::vector<int> types;
    ForEachComponent(app, [&](Component& c) { if (c.enabled) types.push_back(c.keys.deviceType); });
    return types;
}
