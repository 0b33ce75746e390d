// kitcheck: checks a kit's distribution medium before it ships, and tells what its install does.
//   kitcheck check [--json] MEDIUM
//   kitcheck plan MEDIUM [--windows V] [--arch A] [--language SUFFIX] [--device N] [--dir DIR] [--expected|--json]
// Exit codes of check: 0 nothing found, 1 warnings only, 2 errors, 3 the medium could not be checked.
// Exit codes of plan: 0 the install runs to its end, 1 it stops part way, 2 no script for the
// system, 3 bad arguments or no medium.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "kit/checker/findings.h"
#include "kit/checker/kit_check.h"
#include "kit/checker/plan_report.h"

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
          "  it as the lines tools/kit_check compares a machine with\n",
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
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && strcmp(argv[1], "check") == 0 && argc >= 3) return Check(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "plan") == 0) return Plan(argc, argv);
    return Usage();
}
