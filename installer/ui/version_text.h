#pragma once
// The texts of the file version view: labels, numbers, flags, target system and file type.
#include <cstdint>
#include <string>
#include "installer/core/version_block_text.h"

struct VersionLabel {
    const char* label;
    const char* key;   // string-information key; null for the fixed part
};
// "File version", "Product version", "File flags", "Operating sys", "File type".
extern const VersionLabel kFixedVersionLabels[5];
// "Comments" ... "Special build" with their string-information keys.
extern const VersionLabel kStringVersionLabels[12];

std::string FileFlagsText(uint32_t flags);                                          // "Debug Pre-release "
std::string OperatingSystemText(uint32_t os);
std::string FileTypeText(uint32_t type, uint32_t subtype);
// "Label:\t" + value.
std::string VersionLine(const char* label, const std::string& value);
// Tab stop in dialog units for the widest label measured in pixels.
int VersionTabStop(int widestLabelPixels, int pixelsOfFourDialogUnits);
