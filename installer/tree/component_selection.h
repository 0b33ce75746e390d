#pragma once
// Operations over every component of the run: space, tablet families, the tablet's programs.
#include <vector>

class Application;

// Kilobytes the enabled components need.
int TotalSpaceNeeded(Application& app);
// Position of another enabled component of the other tablet family, or -1.
int FindDeviceConflict(Application& app, int index);
bool AnyDeviceComponent(Application& app);
// Lets every component of a tablet family choose itself for the detected family.
void SelectComponentsByDevice(Application& app, bool noDetection, int deviceType, int forced);
// The tablet families of the enabled components, in component order (0 for one of none).
std::vector<int> EnabledDeviceTypes(Application& app);
