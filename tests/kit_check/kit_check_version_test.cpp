// The version resource as the plan reads it from a file's bytes: the fixed file version, and
// the publisher and product version the list of programs shows, in the language the
// translation table names first. Cut or false resources give nothing rather than a fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "kit/checker/version_resource.h"

namespace {
std::string Wide(const std::string& text) {
    std::string out;
    for (char c : text) out += std::string(1, c) + '\0';
    return out + std::string(2, '\0');
}

void Pad(std::string& bytes) {
    while (bytes.size() % 4) bytes += '\0';
}

std::string Word(unsigned value) { return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }
std::string Dword(uint32_t value) { return Word(value & 0xFFFF) + Word(value >> 16); }

// A block: length, value length (characters for text), type, key, value, children.
std::string Block(const std::string& key, const std::string& value, bool text, const std::vector<std::string>& children = {}) {
    std::string body = Wide(key);
    std::string head(6, '\0');
    std::string bytes = head + body;
    Pad(bytes);
    bytes += value;
    Pad(bytes);
    for (const std::string& child : children) {
        bytes += child;
        Pad(bytes);
    }
    unsigned valueLength = text ? static_cast<unsigned>(value.size() / 2) : static_cast<unsigned>(value.size());
    bytes.replace(0, 6, Word(static_cast<unsigned>(bytes.size())) + Word(valueLength) + Word(text ? 1 : 0));
    return bytes;
}

std::string Fixed(uint32_t fileMs, uint32_t fileLs, uint32_t productMs, uint32_t productLs) {
    std::string info = Dword(0xFEEF04BD) + Dword(0x00010000) + Dword(fileMs) + Dword(fileLs) + Dword(productMs) + Dword(productLs);
    return info + std::string(52 - info.size(), '\0');
}

std::string Resource(bool withTranslation, const std::string& language = "040904b0") {
    std::vector<std::string> strings = {Block("CompanyName", Wide("Zorvant"), true),
                                        Block("ProductVersion", Wide(" 5.2 "), true)};
    std::vector<std::string> parts = {Block("StringFileInfo", "", true, {Block(language, "", true, strings)})};
    if (withTranslation) parts.push_back(Block("VarFileInfo", "", true, {Block("Translation", Word(0x0409) + Word(0x04b0), false)}));
    return Block("VS_VERSION_INFO", Fixed(0x00050002, 0x0000000E, 0x00050002, 0x00000001), false, parts);
}
}  // namespace

TEST(VersionResourceTest, ReadsTheFixedVersionAndTheListsStrings) {
    std::string file = "MZ" + std::string(200, 'x') + Resource(true) + std::string(40, '\0');
    EXPECT_EQ(FileVersionText(file), "5.2.0.14");
    ProductVersionStrings strings = ReadProductVersionStrings(file);
    EXPECT_EQ(strings.publisher, "Zorvant");
    EXPECT_EQ(strings.version, "5.2");
}

// Without a translation table no string table is asked: the fixed product version stands in.
// A string table of another language than the table names is not read either.
TEST(VersionResourceTest, TheTranslationTableChoosesTheStrings) {
    ProductVersionStrings none = ReadProductVersionStrings(Resource(false));
    EXPECT_EQ(none.publisher, "");
    EXPECT_EQ(none.version, "5.2.0.1");
    ProductVersionStrings other = ReadProductVersionStrings(Resource(true, "040704b0"));
    EXPECT_EQ(other.publisher, "");
    EXPECT_EQ(other.version, "5.2.0.1");
}

// The key without the fixed information's signature is no resource; a real one after it is.
// Every cut of a resource reads without a fault and gives nothing or the right version.
TEST(VersionResourceTest, FalseAndCutResourcesGiveNothing) {
    std::string decoy = Block("VS_VERSION_INFO", std::string(52, 'z'), false);
    EXPECT_EQ(FileVersionText(decoy), "");
    EXPECT_EQ(FileVersionText(decoy + Resource(true)), "5.2.0.14");
    std::string resource = Resource(true);
    for (size_t size = 0; size < resource.size(); ++size) {
        std::string cut = resource.substr(0, size);
        std::string version = FileVersionText(cut);
        EXPECT_TRUE(version.empty() || version == "5.2.0.14") << size;
        ProductVersionStrings strings = ReadProductVersionStrings(cut);
        EXPECT_TRUE(strings.publisher.empty() || strings.publisher == "Zorvant") << size;
    }
    EXPECT_EQ(FileVersionText(""), "");
}
