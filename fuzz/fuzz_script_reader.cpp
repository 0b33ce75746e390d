// Every reader of the script's lexical layer over arbitrary text: lines, headers,
// fields with quotes, section selection with variants, and "*include" of the same text.
#include <cstdint>
#include <string>
#include "installer/script/script_reader.h"

namespace {
class SameTextFiles : public IncludeFiles {
public:
    explicit SameTextFiles(const ScriptText& text) : text_(text) {}
    void WithFile(const char*, const std::function<void(const ScriptText&)>& use) override { use(text_); }
private:
    ScriptText text_;
};

class FieldEater : public SectionReader {
public:
    void KeyLine(const StrBuf& line) override {
        StrBuf rest(line);
        StrBuf key = CutKey(rest);
        count_ += static_cast<unsigned>(key.Length());
        const char separators[] = {',', '-', ':', '='};
        StrBuf copy(rest);
        for (int i = 0; i < 64 && !copy.IsEmpty(); ++i) count_ += static_cast<unsigned>(NextField(copy, separators[i % 4], i & 1).Length());
        StrBuf numbers(rest);
        // Summed as wide unsigned numbers: the readers' results may be anything an int holds.
        count_ += static_cast<unsigned long long>(static_cast<long long>(ReadNumber(numbers)));
        count_ += ReadColour(numbers);
        count_ += ReadYesNo(numbers) ? 1u : 0u;
    }
    unsigned long long count_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The fuzzer's bytes are the script file; not NUL-terminated, like a mapping.
    const char* begin = reinterpret_cast<const char*>(data);
    ScriptText text(begin, begin + size);
    FieldEater eater;
    SameTextFiles files(text);
    IncludeFollower::Context context;
    context.sourceDir = "C:\\src";
    context.files = &files;
    context.languageSuffix = ".deu";
    for (const char* name : {"Disks", "SetupApps", "App", "Other"}) {
        IncludeFollower follower(text, 3, eater, context);
        ParseSection(text, name, 3, follower, ".deu");
        context.plainSectionInFiles = !context.plainSectionInFiles;
    }
    TextCursor cursor(text);
    while (!cursor.AtEnd()) {
        StrBuf line = ReadLine(cursor);
        IsSectionHeader(line, "Disks");
    }
    return 0;
}
