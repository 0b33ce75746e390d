#include "installer/core/os_version.h"

int OsVersionCodeFor(bool known, unsigned platformId, unsigned major, unsigned minor) {
    if (!known) return 0;
    int code = static_cast<int>(100 * major + minor);
    if (platformId == 1) return code - 200;
    if (platformId == 2) return code;
    return 0;
}

int NativeArchitectureFrom(bool queryFunctionsFound, bool wow64QuerySucceeded, unsigned processorArchitecture) {
    if (!queryFunctionsFound || !wow64QuerySucceeded) return 0;
    return static_cast<int>(processorArchitecture & 0xFFFF);
}
