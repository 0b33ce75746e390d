#include "installer/registry/registry_view.h"

#include "installer/core/process_facts.h"

REGSAM KitRegistryViewFor(int nativeArchitecture) {
    return nativeArchitecture == 9 || nativeArchitecture == 6 ? KEY_WOW64_64KEY : 0;
}

REGSAM KitRegistryView() { return KitRegistryViewFor(NativeArchitecture()); }
