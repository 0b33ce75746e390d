#include "installer/run/command_line.h"

#include <cstring>
#include "installer/core/code_page.h"

bool IsKnownSwitch(const char* tail) {
    if (!tail) return false;
    if (CompareNoCase(tail, "SilentInstall") == 0 || CompareNoCase(tail, "S") == 0 ||
        CompareNoCase(tail, "NODRV") == 0)
        return true;
    int length = static_cast<int>(strlen(tail));
    if (FindText(tail, length, "DEV:", 0) >= 0 || FindText(tail, length, "DEFDIR:", 0) >= 0) return true;
    return tail[0] == '@';
}

namespace {
// Position of the space that ends the first piece of rest, or -1 when the piece is all of it.
int PieceEnd(const StrBuf& rest) {
    for (int p = 0; p + 1 < rest.Length(); ++p) {
        if (rest[p] == ' ' && (rest[p + 1] == '-' || rest[p + 1] == '/') &&
            IsKnownSwitch(rest.c_str() + p + 2))
            return p;
    }
    return -1;
}
}  // namespace

std::vector<StrBuf> SplitSwitchPieces(const char* commandLine) {
    std::vector<StrBuf> pieces;
    StrBuf rest(commandLine);
    rest.Trim();
    while (!rest.IsEmpty()) {
        int end = PieceEnd(rest);
        StrBuf piece = end < 0 ? rest.CutFront(rest.Length()) : rest.CutFront(end + 1);
        piece.Trim();
        pieces.push_back(piece);
    }
    return pieces;
}

CommandLineOptions ReadCommandLine(const char* commandLine) {
    CommandLineOptions options;
    for (const StrBuf& piece : SplitSwitchPieces(commandLine)) {
        if (piece.IsEmpty() || (piece[0] != '-' && piece[0] != '/')) continue;
        StrBuf s = piece.Mid(1);
        int at;
        if (s.EqualsNoCase("SilentInstall") || s.EqualsNoCase("S")) {
            options.silent = true;
        } else if (s.EqualsNoCase("NODRV")) {
            options.noDetection = true;
        } else if ((at = s.Find("DEV:")) >= 0) {
            // Only a sign or a digit may start the number: "DEV: 2" gives 0.
            const char* number = s.c_str() + at + 4;
            options.deviceType = IsBlank(*number) ? 0 : ParseDecimal(number);
        } else if ((at = s.Find("DEFDIR:")) >= 0) {
            options.defaultDir = s.Mid(at + 7);
        } else if (s[0] == '@') {
            options.hasRecordKey = true;
            options.recordKey = s.Mid(1);
            break;   // the uninstall record ends the command line
        } else {
            options.sourceDirGiven = true;
            options.sourceDir = s;
        }
    }
    return options;
}
