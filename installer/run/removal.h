#pragma once
// Taking an installation off the machine, step by step over every component chosen for removal.
#include "installer/script/script_node.h"

class Application;

// Sets the application's removal status; false when the file lists failed (the record stays,
// so the removal can be run again).
bool RemoveApplication(Application& app, ProgressCallback callback, void* context);
