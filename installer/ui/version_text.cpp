#include "installer/ui/version_text.h"

#include <cstdio>

const VersionLabel kFixedVersionLabels[5] = {
    {"File version", nullptr}, {"Product version", nullptr}, {"File flags", nullptr},
    {"Operating sys", nullptr}, {"File type", nullptr},
};

const VersionLabel kStringVersionLabels[12] = {
    {"Comments", "Comments"},           {"Company", "CompanyName"},
    {"Description", "FileDescription"}, {"File version", "FileVersion"},
    {"Internal name", "InternalName"},  {"Copyright", "LegalCopyright"},
    {"Trademarks", "LegalTrademarks"},  {"Original name", "OriginalFilename"},
    {"Private build", "PrivateBuild"},  {"Product name", "ProductName"},
    {"Product version", "ProductVersion"}, {"Special build", "SpecialBuild"},
};

std::string FileFlagsText(uint32_t flags) {
    if (flags == 0) return "No flags";
    static const char* const names[] = {"Debug ", "Pre-release ", "Patched ", "Private ", "Info ", "Special "};
    std::string text;
    for (int bit = 0; bit < 6; ++bit)
        if (flags & (1u << bit)) text += names[bit];
    return text;
}

std::string OperatingSystemText(uint32_t os) {
    switch (os) {
    case 0x10000: return "DOS";
    case 0x10001: return "Windows 3.0 or later under DOS";
    case 0x10004: return "Windows-32 under DOS";
    case 0x20000: return "OS/2-16";
    case 0x20002: return "OS/2-16 PM-16";
    case 0x30000: return "OS/2-32";
    case 0x30003: return "OS/2-32 PM-32";
    case 0x40000: return "Windows NT";
    case 0x40004: return "Windows-32 under Windows-NT";
    default: return "Unknown";
    }
}

namespace {
std::string DriverSubtype(uint32_t subtype) {
    static const char* const names[] = {"Printer", "Keyboard", "Language", "Display", "Mouse",
                                        "Network", "System", "Installable", "Sound", "Communication"};
    return subtype >= 1 && subtype <= 10 ? names[subtype - 1] : "Unknown";
}

std::string FontSubtype(uint32_t subtype) {
    static const char* const names[] = {"Raster", "Vector", "TrueType"};
    return subtype >= 1 && subtype <= 3 ? names[subtype - 1] : "Unknown";
}

std::string WithSubtype(const char* type, const std::string& subtype) {
    return std::string(type) + " (" + subtype + ")";
}
}  // namespace

std::string FileTypeText(uint32_t type, uint32_t subtype) {
    switch (type) {
    case 1: return "Application";
    case 2: return "Dynamic-link library";
    case 3: return WithSubtype("Device driver", DriverSubtype(subtype));
    case 4: return WithSubtype("Font", FontSubtype(subtype));
    case 5: return WithSubtype("Virtual device", std::to_string(static_cast<long>(static_cast<int32_t>(subtype))));
    case 7: return "Static-link library";
    default: return "Unknown";
    }
}

std::string VersionLine(const char* label, const std::string& value) {
    return std::string(label) + ":\t" + value;
}

int VersionTabStop(int widestLabelPixels, int pixelsOfFourDialogUnits) {
    if (pixelsOfFourDialogUnits <= 0) pixelsOfFourDialogUnits = 4;   // no parent to measure: one pixel per unit
    return widestLabelPixels * 4 / pixelsOfFourDialogUnits + 6;
}
