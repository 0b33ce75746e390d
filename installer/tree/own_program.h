#pragma once
// The running program as one of the application's own files: the copy an install put in place.
#include "installer/core/strbuf.h"

class Application;

// The full path of an installed file of an enabled component whose destination name is the
// running program's own file name; "" when no entry installed one.
StrBuf InstalledOwnProgram(Application& app);
