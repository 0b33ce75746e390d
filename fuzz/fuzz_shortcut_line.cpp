// The shortcut line over arbitrary text: reading, writing back and where its link goes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/record/shortcut_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    ShortcutLine line = ParseShortcutLine(text.c_str());
    ShortcutLine back = ParseShortcutLine(WriteShortcutLine(line));
    // The record copy must name the same link as the script did.
    bool plain = line.target.Find('"') < 0 && line.caption.Find('"') < 0;
    if (plain && (back.target != line.target.c_str() || back.caption != line.caption.c_str() ||
                  back.folderCode != line.folderCode))
        abort();
    LinkPlace place = LinkPlaceFor(line.folderCode);
    UseCommonProgramsFor(line.folderCode, static_cast<int>(size));
    return place.folder == LinkFolder::Special && place.csidl < 0 ? 1 : 0;
}
