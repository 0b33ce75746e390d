// Start-up's view of the installer's window classes.
#include "installer/ui/window_classes.h"

#include "installer/core/process_facts.h"
#include "installer/ui/background_window.h"

bool RegisterBackgroundClass(HINSTANCE instance) { return RegisterBkgndClass(instance) != 0; }

void UnregisterMeterClass() { UnregisterMeterClass(ProgramInstance()); }
