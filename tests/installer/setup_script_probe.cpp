// Prints the OS version code start-up derives, the script the installer picks from a
// medium, and the first script a 32-bit system of that version would try.
// Usage: setup_script_probe SOURCE_DIR DESTINATION
#include <cstdio>
#include <string>
#include <windows.h>
#include "installer/core/script_candidates.h"
#include "installer/core/setup_script_selection.h"
#include "installer/core/startup.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    ComputeNativeArchitecture();
    int code = GetOsVersionCode();
    std::string chosen = "none";
    if (SelectSetupScript(argv[2], argv[1])) {
        // Each script on the test medium holds its own name on its first line.
        chosen.clear();
        FILE* f = fopen(argv[2], "rb");
        for (int c; f && (c = fgetc(f)) != EOF && c != '\r' && c != '\n';) chosen += static_cast<char>(c);
        if (f) fclose(f);
    }
    printf("code=%d arch=%d chosen=%s first32=%s\n", code, NativeArchitecture(), chosen.c_str(),
           ScriptCandidates(0, code).front());
    return 0;
}
