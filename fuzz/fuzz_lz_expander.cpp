// The expander on arbitrary input, fed in pieces whose sizes the input chooses: it never reads
// or writes outside its buffers, never gives more than the header's length, and says Done only
// when that length came out. The compressor on the same bytes: its output expands back to them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "installer/files/lz_compressor.h"
#include "installer/files/lz_expander.h"
#include "installer/files/lz_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LzExpander expander;
    if (expander.Start(data, size)) {
        size_t at = kLzHeaderSize, total = 0;
        size_t room = 1 + (size > 10 ? data[9] : 0) * 7;
        std::vector<unsigned char> out(room);
        LzExpander::Status status = LzExpander::NeedsMore;
        for (int round = 0; round < 1 << 20 && status == LzExpander::NeedsMore; ++round) {
            size_t piece = at < size ? 1 + data[at] % 64 : 0;
            if (piece > size - at) piece = size - at;
            size_t taken = 0, given = 0;
            status = expander.Expand(data + at, piece, &taken, out.data(), out.size(), &given);
            if (taken > piece || given > out.size()) abort();
            at += taken;
            total += given;
            if (status == LzExpander::NeedsMore && taken == 0 && given < out.size() && at == size) break;
        }
        if (total > expander.ExpandedLength()) abort();
        if ((status == LzExpander::Done) != (total == expander.ExpandedLength())) abort();
    }
    std::vector<unsigned char> packed = LzCompress(data, size, 'X');
    LzExpander again;
    if (!again.Start(packed.data(), packed.size())) abort();
    std::vector<unsigned char> plain(size + 1);
    size_t taken = 0, given = 0;
    again.Expand(packed.data() + kLzHeaderSize, packed.size() - kLzHeaderSize, &taken, plain.data(), plain.size(),
                 &given);
    if (again.Finish() != LzExpander::Done || given != size) abort();
    for (size_t i = 0; i < size; ++i)
        if (plain[i] != data[i]) abort();
    return 0;
}
