#pragma once
// The texts a check reads (scripts, included files, "setup.inf"), each kept whole for the
// length of the check so that a position inside it can be told as file and line.
#include <deque>
#include <memory>
#include <string>
#include <vector>
#include "installer/script/script_reader.h"

struct SourceText {
    std::string name;       // as findings name it: the path below the medium, with "/"
    std::string bytes;      // expanded when the file is stored compressed
    bool compressed = false;
    std::vector<size_t> lineStarts;   // offsets of the first byte of every line (CR ends a line)

    // The text with its section index, made once: every reading pass and header test shares it.
    const ScriptText& Text() const { return text; }
    ScriptText text;
    // 1-based line of a byte offset.
    int LineOf(size_t offset) const;
};

struct Location {
    const SourceText* source = nullptr;
    int line = 0;           // 0: the file as a whole
};

// Owns the texts; their bytes never move once added.
class SourceTexts {
public:
    // bytes as they are on the medium; an LZ-compressed file is expanded first.
    const SourceText& Add(const std::string& name, const std::string& bytes);
    // The text and line a pointer into one of the texts stands at; no source when none holds it.
    Location Locate(const char* at) const;
private:
    std::deque<std::unique_ptr<SourceText>> texts_;
};

// The bytes of an LZ-compressed file expanded, or the bytes unchanged when they are not one;
// damaged: the expansion stopped short.
std::string ExpandedBytes(const std::string& bytes, bool* compressed, bool* damaged = nullptr);
