#pragma once
// Operations over every component of the run: space, tablet families, the tablet's programs.
class Application;

// Kilobytes the enabled components need.
int TotalSpaceNeeded(Application& app);
// Position of another enabled component of the other tablet family, or -1.
int FindDeviceConflict(Application& app, int index);
bool AnyDeviceComponent(Application& app);
// Lets every component of a tablet family choose itself for the detected family.
void SelectComponentsByDevice(Application& app, bool noDetection, int deviceType, int forced);
// Stops the tablet programs of the families the enabled components belong to.
void StopDeviceClients(Application& app);
