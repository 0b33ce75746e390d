#pragma once
// Who publishes the product and which version it is, as the list of programs shows them: read
// from the version resource of the program the kit's first link starts (the product's own
// program, which the kit author stamps), not from the installer, which is the same for every kit.
#include "installer/core/strbuf.h"

struct ProductVersionText {
    StrBuf publisher;   // "CompanyName"
    StrBuf version;     // "ProductVersion", else the fixed part's product version "a.b.c.d"
};

// Both empty when the file has no version resource.
ProductVersionText ReadProductVersionText(const char* path);
