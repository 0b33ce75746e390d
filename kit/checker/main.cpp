// kitcheck: checks a kit's distribution medium before it ships, and tells what its install does.
//   kitcheck check [--json] MEDIUM
//   kitcheck plan MEDIUM [--windows V] [--arch A] [--language SUFFIX] [--device N] [--dir DIR] [--expected|--json]
//   kitcheck build KIT_FOLDER OUT [--programs DIR] [--iso FILE] [--label TEXT] [--store-compressed PATH]...
//   kitcheck verify MEDIUM_OR_ISO [...]   (on a machine with Wine: tools/kit_verify)
// Exit codes of check: 0 nothing found, 1 warnings only, 2 errors, 3 the medium could not be checked.
// Exit codes of plan: 0 the install runs to its end, 1 it stops part way, 2 no script for the
// system, 3 bad arguments or no medium. Exit codes of build: 0 built, 1 built with warnings,
// 2 the check found errors (nothing written), 3 bad arguments or the build failed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "kit/checker/findings.h"
#include "kit/checker/kit_check.h"
#include "kit/checker/medium_build.h"
#include "kit/checker/plan_report.h"
#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
int Usage() {
    fputs("usage: kitcheck check [--json] MEDIUM\n"
          "  checks every setup script on the medium and its setup.inf; exit code 0 clean,\n"
          "  1 warnings, 2 errors, 3 when the medium cannot be read\n"
          "usage: kitcheck plan MEDIUM [--windows 95|98|me|nt4|2000|xp|2003|vista|7] [--arch x86|x64|ia64]\n"
          "                     [--language SUFFIX] [--device 0|1|2] [--dir INSTALL_DIR] [--expected|--json]\n"
          "  what a silent install of the medium does on a fresh system (Windows 7, x64, English, no\n"
          "  tablet unless told) and what its uninstall removes; exit code 0, 1 when the install stops\n"
          "  part way, 2 when no script is chosen, 3 for bad arguments or no medium; --expected writes\n"
          "  it as the lines tools/kit_check compares a machine with\n"
          "usage: kitcheck build KIT_FOLDER OUT [--programs DIR] [--iso FILE] [--label TEXT]\n"
          "                      [--store-compressed PATH]...\n"
          "  the medium of a kit folder: every source the scripts name compressed written from its plain\n"
          "  file, Instally.exe beside the scripts and setup.exe with autorun.inf at the root (from DIR,\n"
          "  by default this program's folder), checked before it is kept; --iso also writes a CD image\n"
          "  (xorriso or genisoimage); exit code 0, 1 with warnings, 2 when the check finds errors\n"
          "  (nothing written), 3 when it cannot be built\n"
          "usage: kitcheck verify MEDIUM_OR_ISO [--windows 98,xp,7] [--arch x86|x64] [--device N] [--json]\n"
          "                       [--screens DIR]\n"
          "  installs and removes the kit under Wine on each Windows version and compares it with the plan\n",
          stderr);
    return 3;
}

int Check(int argc, char** argv) {
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

int Plan(int argc, char** argv) {
    PlanRequest request;
    std::string error;
    if (!ReadPlanRequest(std::vector<std::string>(argv + 2, argv + argc), request, error)) {
        fprintf(stderr, "kitcheck plan: %s\n", error.c_str());
        return Usage();
    }
    InstallPlan plan = MakeInstallPlan(request);
    bool json = request.form == PlanForm::Json;
    if (plan.outcome == PlanNoMedium || (plan.outcome == PlanNoScript && !json)) {
        fprintf(stderr, "kitcheck plan: %s\n", plan.stop.c_str());
        return plan.outcome;
    }
    std::string report = json ? PlanJson(plan)
                       : request.form == PlanForm::Expected ? PlanExpected(plan, request)
                                                            : PlanReadable(plan, request);
    fwrite(report.data(), 1, report.size(), stdout);
    return plan.outcome;
}
std::string ProgramFolder(const char* argv0) {
    std::string path = argv0;
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? "." : path.substr(0, cut);
}

int Build(int argc, char** argv) {
    BuildRequest request;
    std::string error;
    if (!ReadBuildRequest(std::vector<std::string>(argv + 2, argv + argc), ProgramFolder(argv[0]), request, error)) {
        fprintf(stderr, "kitcheck build: %s\n", error.c_str());
        return Usage();
    }
    BuildResult result = BuildMedium(request);
    std::string report = BuildReport(result, request);
    fwrite(report.data(), 1, report.size(), result.outcome == BuildFailed ? stderr : stdout);
    return result.outcome;
}

// The Wine round trips are a script of the build machine's: this program hands over to it.
int Verify(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    fputs("kitcheck verify: runs on a build machine with Wine; use that machine's kitcheck\n", stderr);
    return 3;
#else
    const char* tools = getenv("KITCHECK_TOOLS");
    std::string script = std::string(tools ? tools : KITCHECK_TOOLS) + "/kit_verify";
    std::vector<char*> args = {const_cast<char*>("python3"), const_cast<char*>(script.c_str())};
    for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("python3", args.data());
    fprintf(stderr, "kitcheck verify: cannot start python3 for %s\n", script.c_str());
    return 3;
#endif
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && strcmp(argv[1], "check") == 0 && argc >= 3) return Check(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "plan") == 0) return Plan(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "build") == 0) return Build(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "verify") == 0) return Verify(argc, argv);
    return Usage();
}
