#include "kit/checker/version_resource.h"

#include <cstdint>
#include <vector>
#include "installer/core/version_block_text.h"
#include "kit/checker/name_tables.h"

namespace {
// One block of the resource: length, value length, type, a UTF-16 key, then the value and the
// children, each on a 32-bit boundary from the block's start.
struct Block {
    size_t begin = 0, end = 0;
    std::string key;
    size_t value = 0, valueBytes = 0;
    size_t children = 0;
};

unsigned Word(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
uint32_t Dword(const std::string& b, size_t at) { return Word(b, at) | static_cast<uint32_t>(Word(b, at + 2)) << 16; }
size_t Aligned(size_t begin, size_t at) { return begin + ((at - begin + 3) & ~static_cast<size_t>(3)); }

bool ReadBlock(const std::string& b, size_t at, size_t limit, Block& block) {
    if (at + 6 > limit) return false;
    size_t length = Word(b, at);
    if (length < 6 || at + length > limit) return false;
    block.begin = at;
    block.end = at + length;
    block.key.clear();
    size_t p = at + 6;
    for (; p + 1 < block.end && Word(b, p) != 0; p += 2) block.key += static_cast<char>(Word(b, p) < 256 ? Word(b, p) : '?');
    p = Aligned(at, p + 2);
    unsigned valueLength = Word(b, at + 2);
    // A text value counts its length in characters.
    block.valueBytes = Word(b, at + 4) == 1 ? valueLength * 2u : valueLength;
    block.value = p < block.end ? p : block.end;
    if (block.value + block.valueBytes > block.end) block.valueBytes = block.end - block.value;
    block.children = Aligned(at, block.value + block.valueBytes);
    return true;
}

std::vector<Block> Children(const std::string& b, const Block& parent) {
    std::vector<Block> children;
    Block child;
    for (size_t at = parent.children; at < parent.end && ReadBlock(b, at, parent.end, child); at = Aligned(at, child.end)) {
        children.push_back(child);
        if (child.end <= at) break;
    }
    return children;
}

// The version resource's root block, found by its key; false when there is none.
bool FindRoot(const std::string& b, Block& root) {
    static const char kKey[] = "VS_VERSION_INFO";
    std::string wide;
    for (const char* c = kKey; *c; ++c) wide += std::string(1, *c) + '\0';
    for (size_t at = b.find(wide); at != std::string::npos; at = b.find(wide, at + 1))
        if (at >= 6 && ReadBlock(b, at - 6, b.size(), root) && root.valueBytes >= 52 && Dword(b, root.value) == 0xFEEF04BD)
            return true;
    return false;
}

std::string Text(const std::string& b, const Block& block) {
    std::string text;
    for (size_t p = block.value; p + 1 < block.value + block.valueBytes && Word(b, p) != 0; p += 2)
        text += static_cast<char>(Word(b, p) < 256 ? Word(b, p) : '?');
    size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}
std::string FileVersionTextOf(const std::string& b, const Block& root) {
    return VersionNumberText(Dword(b, root.value + 8), Dword(b, root.value + 12));
}
}  // namespace

std::string FileVersionText(const std::string& bytes) {
    Block root;
    if (!FindRoot(bytes, root)) return "";
    return FileVersionTextOf(bytes, root);
}

namespace {

// The string table the first entry of the translation table names, as a query path
// ("\\StringFileInfo\\040904e4\\"); "" when there is no table.
std::string TranslationPrefix(const std::string& b, const Block& root) {
    for (const Block& info : Children(b, root)) {
        if (info.key != "VarFileInfo") continue;
        for (const Block& var : Children(b, info))
            if (var.key == "Translation" && var.valueBytes >= 4)
                return StringInfoPrefix(static_cast<uint16_t>(Word(b, var.value)), static_cast<uint16_t>(Word(b, var.value + 2)));
    }
    return "";
}

}  // namespace

ProductVersionStrings ReadProductVersionStrings(const std::string& bytes) {
    ProductVersionStrings strings;
    Block root;
    if (!FindRoot(bytes, root)) return strings;
    // The strings are asked in the first language the translation table names, as the list's
    // reader asks them; without a table there is no language and only the fixed version.
    std::string prefix = TranslationPrefix(bytes, root);
    for (const Block& info : Children(bytes, root)) {
        if (prefix.empty() || info.key != "StringFileInfo") continue;
        for (const Block& table : Children(bytes, info)) {
            if (LowerAscii("\\" + info.key + "\\" + table.key + "\\") != LowerAscii(prefix)) continue;
            for (const Block& value : Children(bytes, table)) {
                if (value.key == "CompanyName") strings.publisher = Text(bytes, value);
                if (value.key == "ProductVersion") strings.version = Text(bytes, value);
            }
        }
    }
    if (strings.version.empty()) strings.version = VersionNumberText(Dword(bytes, root.value + 16), Dword(bytes, root.value + 20));
    return strings;
}
