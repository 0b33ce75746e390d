// libFuzzer target: any "setup.inf" text read through the launcher's rules and laid out.
#include "launcher/menu_config.h"
#include "launcher/menu_layout.h"
#include "launcher/profile_text.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileText ini(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* suffix : {"", ".deu", ".cht"}) {
        MenuSettings settings;
        ReadMenuSettingsFrom(ini, suffix, settings);
        ItemList list = ReadItemListFrom(ini, suffix);
        std::vector<int> heights;
        for (size_t i = 0; i < list.keys.size() && i < 64; ++i) {
            ItemSettings item;
            for (const std::string& section : SectionVariants(ini, list.keys[i], suffix, false))
                ReadItemKeys(ini, section, "D:\\", true, item);
            Rect text = SizedRect(item.xEnd, item.yEnd);
            Rect picture = SizedRect(item.xStart, item.yStart);
            heights.push_back(text.Height() > picture.Height() ? text.Height() : picture.Height());
            LayoutPictureAndText(MovedTo(text, item.xStart, item.yStart), settings.itemFormat, picture, text);
        }
        std::vector<Rect> boxes = ColumnBoxes(heights, settings);
        for (const Rect& box : boxes) {
            Rect r = SizedRect(settings.fontSize, settings.fontBold);
            LayoutText(box, settings.itemFormat, r);
        }
    }
    return 0;
}
