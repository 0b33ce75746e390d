#pragma once
// Finds the setup script that fits the running platform in the source directory and
// expands it (LZ-compressed or plain) into a file the install sequence then reads.
#include <vector>

// True when a candidate of the platform's chain was found and its expanded copy at
// destination (a file the caller created) holds at least one byte.
bool SelectSetupScript(const char* destination, const char* sourceDir);
// The same for a given chain: the first name that exists in sourceDir is expanded;
// later names are not tried even when the first one fails to expand.
bool ExpandFirstCandidate(const char* destination, const char* sourceDir, const std::vector<const char*>& chain);
// True when the path's file name is the running program's own, ignoring case.
bool IsOwnProgramName(const char* path);
