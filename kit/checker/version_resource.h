#pragma once
// What a program's version resource says, read from the file's bytes as they would be installed
// (the plan reads the medium, not a machine): the fixed file version and the strings the list of
// programs shows. Walks the resource's own block structure; any other bytes give nothing.
#include <string>

// "5.2.0.14"; "" when the bytes hold no version resource.
std::string FileVersionText(const std::string& bytes);

struct ProductVersionStrings {
    std::string publisher;   // "CompanyName" of the first string table
    std::string version;     // "ProductVersion", else the fixed product version "a.b.c.d"
};
ProductVersionStrings ReadProductVersionStrings(const std::string& bytes);
