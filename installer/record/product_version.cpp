#include "installer/record/product_version.h"

#include <windows.h>
#include <cstring>
#include <vector>
#include "installer/core/version_block_text.h"

namespace {
StrBuf StringValue(const void* block, unsigned language, unsigned codePage, const char* key) {
    std::string query = StringInfoPrefix(static_cast<uint16_t>(language), static_cast<uint16_t>(codePage)) + key;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(const_cast<void*>(block), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value ||
        length == 0)
        return StrBuf();
    StrBuf text(value, static_cast<int>(strnlen(value, length)));
    text.Trim();
    return text;
}

StrBuf FixedProductVersion(const void* block) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(const_cast<void*>(block), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return StrBuf();
    return StrBuf(VersionNumberText(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
}
}  // namespace

ProductVersionText ReadProductVersionText(const char* path) {
    ProductVersionText text;
    DWORD ignored = 0;
    DWORD size = path && *path ? GetFileVersionInfoSizeA(path, &ignored) : 0;
    if (size == 0) return text;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return text;
    WORD* translation = nullptr;
    UINT length = 0;
    // The strings of the resource's first language; a resource without a translation table has
    // no language to ask them in, and gives only the fixed product version.
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= 2 * sizeof(WORD)) {
        text.publisher = StringValue(block.data(), translation[0], translation[1], "CompanyName");
        text.version = StringValue(block.data(), translation[0], translation[1], "ProductVersion");
    }
    if (text.version.IsEmpty()) text.version = FixedProductVersion(block.data());
    return text;
}
