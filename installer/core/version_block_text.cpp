#include "installer/core/version_block_text.h"

#include <cstdio>

std::string VersionNumberText(uint32_t ms, uint32_t ls) {
    char text[48];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(ms >> 16), static_cast<int>(ms & 0xFFFF),
                  static_cast<int>(ls >> 16), static_cast<int>(ls & 0xFFFF));
    return text;
}

std::string StringInfoPrefix(uint16_t language, uint16_t codePage) {
    char text[40];
    std::snprintf(text, sizeof text, "\\StringFileInfo\\%04x%04x\\", language, codePage);
    return text;
}
