#include "kit/checker/source_text.h"

#include <algorithm>
#include "installer/files/lz_expander.h"
#include "installer/files/lz_header.h"

namespace {
// Lines end at a carriage return and one line feed after it, as the script reader walks them.
std::vector<size_t> LineStartsOf(const std::string& bytes) {
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        size_t next = i + 1;
        if (next < bytes.size() && bytes[next] == '\n') ++next;
        starts.push_back(next);
    }
    return starts;
}
}  // namespace

int SourceText::LineOf(size_t offset) const {
    auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    return static_cast<int>(after - lineStarts.begin());
}

std::string ExpandedBytes(const std::string& bytes, bool* compressed, bool* damaged) {
    const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes.data());
    *compressed = IsLzCompressedHeader(data, bytes.size());
    if (damaged) *damaged = false;
    if (!*compressed) return bytes;
    LzExpander expander;
    if (!expander.Start(data, bytes.size())) {
        if (damaged) *damaged = true;
        return std::string();
    }
    std::string out;
    size_t at = kLzHeaderSize;
    unsigned char piece[4096];
    for (;;) {
        size_t taken = 0, given = 0;
        LzExpander::Status status =
            expander.Expand(data + at, bytes.size() - at, &taken, piece, sizeof piece, &given);
        at += taken;
        out.append(reinterpret_cast<const char*>(piece), given);
        if (status != LzExpander::NeedsMore || (taken == 0 && given == 0)) break;
    }
    if (damaged) *damaged = expander.Finish() != LzExpander::Done;
    return out;
}

const SourceText& SourceTexts::Add(const std::string& name, const std::string& bytes) {
    auto text = std::make_unique<SourceText>();
    text->name = name;
    text->bytes = ExpandedBytes(bytes, &text->compressed);
    text->lineStarts = LineStartsOf(text->bytes);
    text->text = ScriptText(text->bytes.data(), text->bytes.data() + text->bytes.size());
    text->text.Index();
    texts_.push_back(std::move(text));
    return *texts_.back();
}

Location SourceTexts::Locate(const char* at) const {
    for (const auto& text : texts_) {
        const char* begin = text->bytes.data();
        if (at >= begin && at <= begin + text->bytes.size())
            return {text.get(), text->LineOf(static_cast<size_t>(at - begin))};
    }
    return {};
}
