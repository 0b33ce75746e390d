// lzpack: the kit author's compressor for files the installer expands on the way in.
//   lzpack FILE...        writes FILE compressed under its name with the last letter as "_"
//                         ("README.TXT" -> "README.TX_"), as the script's source names expect
//   lzpack -x IN OUT      expands IN (a compressed file) to OUT
// Exit status 0 when every file was done, 1 otherwise, with a line on stderr for each failure.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "installer/files/lz_compressor.h"
#include "installer/files/lz_expander.h"
#include "installer/files/lz_header.h"

namespace {
bool ReadWhole(const char* path, std::vector<unsigned char>& bytes) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    unsigned char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + got);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool WriteWhole(const char* path, const unsigned char* bytes, size_t length) {
    FILE* f = fopen(path, "wb");
    if (!f) return false;
    bool ok = fwrite(bytes, 1, length, f) == length;
    return fclose(f) == 0 && ok;
}

// The compressed file's name: the last character of the file name becomes "_", or "_" is
// added to a name that ends in a dot or has no extension of three letters.
std::string CompressedName(const std::string& path, char* missing) {
    size_t nameStart = path.find_last_of("/\\");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::string name = path.substr(nameStart);
    size_t dot = name.rfind('.');
    *missing = 0;
    if (dot != std::string::npos && name.size() - dot == 4) {
        *missing = name.back();
        return path.substr(0, path.size() - 1) + "_";
    }
    if (dot == std::string::npos) return path + "._";
    return path + "_";
}

bool Compress(const char* path) {
    std::vector<unsigned char> bytes;
    if (!ReadWhole(path, bytes)) return false;
    char missing;
    std::string target = CompressedName(path, &missing);
    std::vector<unsigned char> packed = LzCompress(bytes.data(), bytes.size(), missing);
    return WriteWhole(target.c_str(), packed.data(), packed.size());
}

bool Expand(const char* in, const char* out) {
    std::vector<unsigned char> bytes;
    if (!ReadWhole(in, bytes)) return false;
    LzExpander expander;
    if (!expander.Start(bytes.data(), bytes.size())) return false;
    std::vector<unsigned char> plain(expander.ExpandedLength());
    size_t taken = 0, given = 0;
    expander.Expand(bytes.data() + kLzHeaderSize, bytes.size() - kLzHeaderSize, &taken, plain.data(), plain.size(),
                    &given);
    if (expander.Finish() != LzExpander::Done) return false;
    return WriteWhole(out, plain.data(), plain.size());
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "-x") == 0) {
        if (Expand(argv[2], argv[3])) return 0;
        fprintf(stderr, "lzpack: cannot expand %s (not a compressed file, damaged or unreadable)\n", argv[2]);
        return 1;
    }
    if (argc < 2 || argv[1][0] == '-') {
        fprintf(stderr, "usage: lzpack FILE...\n       lzpack -x COMPRESSED OUT\n");
        return 1;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        if (Compress(argv[i])) continue;
        fprintf(stderr, "lzpack: cannot compress %s\n", argv[i]);
        status = 1;
    }
    return status;
}
