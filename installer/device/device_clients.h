#pragma once
// Stopping the tablet's programs before their files are removed.
#include <string>
#include <vector>

// For each device type in order, starts its client's stop command hidden and gives it time;
// types without a client program do nothing.
void StopDeviceClients(const int* deviceTypes, int count);
// Ends the first running process whose executable name occurs within the file name.
bool TerminateProcessByName(const char* fileName);

// The names of the other running programs as one process snapshot saw them, so that a removal
// of many files need not take a snapshot per file: a file whose name holds none of them has no
// program to end. The snapshot is taken again when it is older than kFreshForMs, or at once
// after Forget(); a program started since is found when its file resists deletion.
class RunningProgramNames {
public:
    static constexpr unsigned kFreshForMs = 1000;
    // True when a running program's executable name occurs within the file name.
    bool AnyOccursIn(const char* fileName);
    void Forget() { taken_ = false; }
private:
    void Take();
    std::vector<std::string> names_;
    unsigned long takenAt_ = 0;
    bool taken_ = false;
};
