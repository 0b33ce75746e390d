#pragma once
// How a version resource's parts are named and printed, for every reader of one.
#include <cstdint>
#include <string>

std::string VersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant);   // "1.2.3.4"
// "\StringFileInfo\040904b0\" for language 0x0409 and code page 0x04b0.
std::string StringInfoPrefix(uint16_t language, uint16_t codePage);
