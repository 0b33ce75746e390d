#pragma once
// Stopping the tablet's programs before their files are removed.

// For each device type in order, starts its client's stop command hidden and gives it time;
// types without a client program do nothing.
void StopDeviceClients(const int* deviceTypes, int count);
// Ends the first running process whose executable name occurs within the file name.
bool TerminateProcessByName(const char* fileName);
