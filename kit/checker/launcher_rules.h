#pragma once
// The rules over the launcher's "setup.inf": its background picture, and for every item
// its pictures and the program or folder it opens, in every language the file has.
#include "kit/checker/findings.h"
#include "kit/checker/medium.h"
#include "kit/checker/source_text.h"

void CheckLauncher(const SourceText& setupInf, const Medium& medium, Findings& findings);
