#pragma once
// The compressed form the LZ library expands (see lz_expander.h), made from a file's bytes:
// for the benchmark's payload and for kit authors who build a medium without other tools.
#include <cstddef>
#include <vector>

// missingLetter: the last letter of the name, which the compressed file's name replaces with
// "_" ("README.TX_"); 0 when there is none.
std::vector<unsigned char> LzCompress(const unsigned char* data, size_t length, char missingLetter);
