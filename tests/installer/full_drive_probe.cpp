// The space check and the copy on a nearly full drive. Usage: full_drive_probe DRIVE SOURCE,
// DRIVE a drive of about 1 MB ("Q:"), SOURCE a file larger than that on another drive.
// Exit code: 0 when all holds, else the sum of the failed checks' bits; 100 on a usage error.
#include <windows.h>
#include <string>
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"

int main(int argc, char** argv) {
    if (argc != 3) return 100;
    std::string drive = argv[1];
    std::string folder = drive + "\\Product";
    int failed = 0;
    uint64_t freeK = 0;
    if (HasEnoughSpace(folder.c_str(), 4096, &freeK) || freeK >= 1024) failed |= 1;
    if (!HasEnoughSpace(folder.c_str(), 1)) failed |= 2;
    std::string target = drive + "\\big.bin";
    if (ExpandCopy(argv[2], target.c_str())) failed |= 4;
    // The failed copy leaves nothing behind, and the space it took is free again.
    if (FileExists(target.c_str())) failed |= 8;
    uint64_t after = 0;
    HasEnoughSpace(folder.c_str(), 0, &after);
    if (after + 64 < freeK) failed |= 16;
    return failed;
}
