#pragma once
// Free space on a drive, and creating, testing and pruning directory trees.
#include <cstdint>

uint64_t FreeDiskBytes(const char* rootPath);
// The path is cut to its drive root ("C:\") first; true when the free kilobytes exceed the need.
bool HasEnoughSpace(const char* path, uint64_t neededK, uint64_t* freeK = nullptr);
bool DirectoryExists(const char* path);
bool CreateDirectoryTree(const char* path);
// Removes empty directories below path and path itself when empty; with deleteFiles, files too.
bool DeleteDirectoryTree(const char* path, bool deleteFiles);
