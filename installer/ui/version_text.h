#pragma once
// The texts of the file version view: labels, numbers, flags, target system and file type.
#include <cstdint>
#include <string>

struct VersionLabel {
    const char* label;
    const char* key;   // string-information key; null for the fixed part
};
// "File version", "Product version", "File flags", "Operating sys", "File type".
extern const VersionLabel kFixedVersionLabels[5];
// "Comments" ... "Special build" with their string-information keys.
extern const VersionLabel kStringVersionLabels[12];

std::string VersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant);   // "1.2.3.4"
std::string FileFlagsText(uint32_t flags);                                          // "Debug Pre-release "
std::string OperatingSystemText(uint32_t os);
std::string FileTypeText(uint32_t type, uint32_t subtype);
// "\StringFileInfo\040904b0\" for language 0x0409 and code page 0x04b0.
std::string StringInfoPrefix(uint16_t language, uint16_t codePage);
// "Label:\t" + value.
std::string VersionLine(const char* label, const std::string& value);
// Tab stop in dialog units for the widest label measured in pixels.
int VersionTabStop(int widestLabelPixels, int pixelsOfFourDialogUnits);
