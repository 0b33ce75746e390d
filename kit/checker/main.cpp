// kitcheck: checks a kit's distribution medium before it ships.
//   kitcheck check [--json] MEDIUM
// Exit code: 0 nothing found, 1 warnings only, 2 errors, 3 the medium could not be checked.
#include <cstdio>
#include <cstring>
#include <string>
#include "kit/checker/findings.h"
#include "kit/checker/kit_check.h"

namespace {
int Usage() {
    fputs("usage: kitcheck check [--json] MEDIUM\n"
          "  checks every setup script on the medium and its setup.inf; exit code 0 clean,\n"
          "  1 warnings, 2 errors, 3 when the medium cannot be read\n",
          stderr);
    return 3;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || strcmp(argv[1], "check") != 0) return Usage();
    bool json = false;
    const char* medium = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (strcmp(argv[i], "--json") == 0) json = true;
        else if (!medium) medium = argv[i];
        else return Usage();
    }
    if (!medium) return Usage();
    Findings findings;
    if (!CheckMedium(medium, findings)) {
        fprintf(stderr, "kitcheck: %s is no folder\n", medium);
        return 3;
    }
    std::string report = json ? JsonReport(findings) : TextReport(findings);
    fwrite(report.data(), 1, report.size(), stdout);
    return findings.ExitCode();
}
