#pragma once
// What a silent install of a medium would do on a fresh machine, derived from the script
// the installer would choose there, read by the installer's own readers, and from the
// installer's own rules; and what its uninstall would remove and keep. Touches no machine.
#include <string>
#include <utility>
#include <vector>
#include "kit/checker/plan_request.h"

// One thing the install leaves or does, in the format of the sample kit's expected results:
// kind | component | where | what | after uninstall.
struct PlanItem {
    PlanItem() = default;
    PlanItem(std::string k, std::string c, std::string w, std::string wh, std::string a, std::string d = "")
        : kind(std::move(k)), component(std::move(c)), where(std::move(w)), what(std::move(wh)), after(std::move(a)),
          detail(std::move(d)) {}
    std::string kind;        // folder, file, ini, regkey, regval, link, run
    std::string component;   // the record name without "App", or "App" for the kit itself
    std::string where;
    std::string what;
    std::string after;       // "removed", "removed when empty", "stays (why)", "-"
    std::string detail;      // for a person only: how a file is copied, why a step is as it is
};

enum PlanOutcome {
    PlanComplete = 0,        // the install runs to its end
    PlanStopsEarly = 1,      // the install stops part way (the plan says where)
    PlanNoScript = 2,        // no script variant for the system, or one with nothing to install
    PlanNoMedium = 3,        // the medium is no folder
};

struct InstallPlan {
    PlanOutcome outcome = PlanComplete;
    std::string system;                      // "x64 Windows 7"
    std::string scriptFolder;                // the medium folder the installer and its scripts are in
    std::vector<std::string> chain;          // the names the installer tries, in order
    std::string script;                      // the medium path of the variant chosen ("" none)
    std::string languageSuffix;
    std::string stop;                        // why the install stops, or why there is nothing to plan
    std::vector<std::pair<std::string, std::string>> definitions;   // {INSTALLDIR}, {GROUP}
    std::vector<PlanItem> install;           // in install order
    std::vector<PlanItem> uninstall;         // what only the uninstall does, in its order
    std::vector<std::string> notes;          // what happens without leaving anything
};

InstallPlan MakeInstallPlan(const PlanRequest& request);
// The same for a script given as bytes, as "SetupExt.WNT" alone on an otherwise empty medium
// (for the fuzzer: every step over one text, nothing read from a disk).
InstallPlan MakeInstallPlanFromBytes(const std::string& bytes, const PlanRequest& request);
