#pragma once
// Fills a list box with one file's version information, values on one tab stop.
#include <windows.h>

// True when the file has version information with a fixed part. A file without
// version information leaves the list empty.
bool FillVersionList(const char* path, HWND list);
