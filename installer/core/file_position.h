#pragma once
// File sizes and positions beyond 4 GB through the calls every Windows has (the "Ex" forms
// came with Windows 2000).
#include <windows.h>
#include <cstdint>

bool FileSizeOf(HANDLE file, uint64_t& size);
bool SeekFile(HANDLE file, uint64_t offset);
