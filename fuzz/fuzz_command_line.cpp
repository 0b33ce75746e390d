// The installer's command line over arbitrary text: cutting into switch pieces and reading
// the options. Every piece must be a part of the line, and a record key stops the reading.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/run/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    long total = 0;
    for (const StrBuf& piece : SplitSwitchPieces(text.c_str())) {
        if (piece.Length() > static_cast<int>(text.size())) abort();
        total += long(piece.Length()) + IsKnownSwitch(piece.c_str());
    }
    CommandLineOptions options = ReadCommandLine(text.c_str());
    if (options.recordKey.Length() > static_cast<int>(text.size())) abort();
    if (!options.hasRecordKey && !options.recordKey.IsEmpty()) abort();
    total += long(options.defaultDir.Length()) + options.sourceDir.Length() + options.deviceType;
    return total == -1 ? 1 : 0;
}
