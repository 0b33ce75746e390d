#pragma once
// Where the section headers of one script text stand, found in a single walk over the text.
// A reading pass then visits only the lines of its own section: with a pass per section of
// every component, walking the whole text each time grew with the square of the script.
#include <cstdint>
#include <vector>

struct ScriptText;

class SectionIndex {
public:
    explicit SectionIndex(const ScriptText& text);
    // Where the lines after each header named `name` begin (no case, blanks trimmed), in file
    // order; headers after "[End]" are not counted.
    std::vector<const char*> Bodies(const char* name) const;
    bool Has(const char* name) const;

private:
    // Positions are offsets into the text (16 bytes a header): the installer's texts stay
    // below 2 GB, a mapped script is refused above that.
    struct Header {
        uint32_t hash;
        uint32_t name;          // inside the brackets, trimmed
        uint32_t nameLength;
        uint32_t body;
    };
    const char* base_;
    std::vector<Header> headers_;   // sorted by hash, then by place in the text
    uint32_t OffsetOf(const char* at) const { return static_cast<uint32_t>(at - base_); }
    template <typename Visit> void ForEachNamed(const char* name, Visit visit) const;
};
