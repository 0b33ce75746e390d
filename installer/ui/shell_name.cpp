#include "installer/ui/shell_name.h"

#include <vector>

bool ShellNameText(STRRET& name, LPCITEMIDLIST item, char* text, int size) {
    if (!text || size <= 0) return false;
    text[0] = 0;
    switch (name.uType) {
    case STRRET_CSTR:
        lstrcpynA(text, name.cStr, size);
        return true;
    case STRRET_OFFSET:
        if (!item) return false;
        lstrcpynA(text, reinterpret_cast<const char*>(item) + name.uOffset, size);
        return true;
    case STRRET_WSTR: {
        if (!name.pOleStr) return false;
        // Converted in full first, then cut: a short buffer would make the conversion fail.
        int needed = WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> whole(needed > 0 ? needed : 1, 0);
        bool converted = needed > 0 &&
                         WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, whole.data(), needed, nullptr, nullptr) > 0;
        CoTaskMemFree(name.pOleStr);
        name.pOleStr = nullptr;
        if (converted) lstrcpynA(text, whole.data(), size);
        return converted;
    }
    default: return false;
    }
}
