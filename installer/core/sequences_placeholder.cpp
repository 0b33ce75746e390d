// PLACEHOLDER: the install and uninstall sequences are not built yet. Until they
// are, both do nothing and ask for no restart.
#include "installer/core/sequences.h"

int RunInstall(HINSTANCE) { return 0; }
int RunUninstall(HINSTANCE) { return 0; }
