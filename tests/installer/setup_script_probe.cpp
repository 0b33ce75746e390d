// Prints the OS version code start-up derives, the script the installer picks from a
// medium, the first script a 32-bit system of that version would try, and which Programs
// folder an all-users program group goes to.
// Usage: setup_script_probe SOURCE_DIR DESTINATION
#include <cstdio>
#include <string>
#include <windows.h>
#include "installer/core/script_candidates.h"
#include "installer/run/setup_script_selection.h"
#include "installer/run/startup.h"
#include "installer/core/path_text.h"
#include "installer/record/program_group.h"
#include "installer/registry/well_known_locations.h"
#include <shlobj.h>

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
    StrBuf common, user;
    GetSpecialFolderPath(nullptr, CSIDL_COMMON_PROGRAMS, common);
    GetSpecialFolderPath(nullptr, CSIDL_PROGRAMS, user);
    StrBuf group = ProgramGroupFolder("Pen", UseCommonProgramsFor(1, code));
    const char* where = group == JoinPath(common, "Pen").c_str() ? "common" : group == JoinPath(user, "Pen").c_str() ? "user" : "?";
    printf("code=%d arch=%d chosen=%s first32=%s group=%s\n", code, NativeArchitecture(), chosen.c_str(),
           ScriptCandidates(0, code).front(), where);
    return 0;
}
