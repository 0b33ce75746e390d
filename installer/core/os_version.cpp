#include "installer/core/os_version.h"

int OsVersionCodeFor(bool known, unsigned platformId, unsigned major, unsigned minor) {
    if (!known) return 0;
    int code = static_cast<int>(100 * major + minor);
    if (platformId == 1) return code - 200;
    if (platformId == 2) return code;
    return 0;
}
