#include "kit/checker/plan_request.h"

#include "installer/core/strbuf.h"
#include "kit/checker/script_rules.h"

const std::vector<WindowsName>& WindowsNames() {
    static const std::vector<WindowsName> names = {
        {"95", 200, "Windows 95"},   {"98", 210, "Windows 98"},       {"me", 290, "Windows Me"},
        {"nt4", 400, "Windows NT 4.0"}, {"2000", 500, "Windows 2000"}, {"xp", 501, "Windows XP"},
        {"2003", 502, "Windows Server 2003"}, {"vista", 600, "Windows Vista"}, {"7", 601, "Windows 7"},
    };
    return names;
}

namespace {
bool ReadWindows(const std::string& value, PlanRequest& request) {
    for (const WindowsName& name : WindowsNames())
        if (StrBuf(value.c_str()).EqualsNoCase(name.name)) {
            request.machine.osVersionCode = name.osVersionCode;
            request.windowsName = name.name;
            return true;
        }
    return false;
}

bool ReadArchitecture(const std::string& value, PlanRequest& request) {
    StrBuf text(value.c_str());
    if (text.EqualsNoCase("x86")) request.machine.architecture = 0;
    else if (text.EqualsNoCase("x64")) request.machine.architecture = 9;
    else if (text.EqualsNoCase("ia64")) request.machine.architecture = 6;
    else return false;
    return true;
}

// "deu" or ".deu", one of the installer's own suffixes; "" or "none" for a language without one.
bool ReadLanguage(const std::string& value, PlanRequest& request) {
    if (value.empty() || StrBuf(value.c_str()).EqualsNoCase("none")) {
        request.languageSuffix.clear();
        return true;
    }
    std::string dotted = value[0] == '.' ? value : "." + value;
    for (const std::string& suffix : LanguageSuffixes())
        if (StrBuf(dotted.c_str()).EqualsNoCase(suffix.c_str())) {
            request.languageSuffix = suffix;
            return true;
        }
    return false;
}

bool ReadDevice(const std::string& value, PlanRequest& request) {
    if (value != "0" && value != "1" && value != "2") return false;
    request.deviceType = value[0] - '0';
    return true;
}
}  // namespace

bool ReadPlanRequest(const std::vector<std::string>& args, PlanRequest& request, std::string& error) {
    struct Option { const char* name; bool (*read)(const std::string&, PlanRequest&); const char* allowed; };
    static const Option kOptions[] = {
        {"--windows", ReadWindows, "95, 98, me, nt4, 2000, xp, 2003, vista or 7"},
        {"--arch", ReadArchitecture, "x86, x64 or ia64"},
        {"--language", ReadLanguage, "one of the installer's language suffixes (deu, fra, ...) or none"},
        {"--device", ReadDevice, "0, 1 or 2"},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" || arg == "--expected") {
            request.form = arg == "--json" ? PlanForm::Json : PlanForm::Expected;
            continue;
        }
        if (arg == "--dir") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return error = "--dir needs a folder", false;
            request.installDir = args[++i];
            continue;
        }
        const Option* option = nullptr;
        for (const Option& candidate : kOptions)
            if (arg == candidate.name) option = &candidate;
        if (option) {
            if (i + 1 >= args.size()) return error = arg + " needs a value: " + option->allowed, false;
            if (!option->read(args[++i], request))
                return error = arg + " " + args[i] + ": not known, give " + option->allowed, false;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return error = arg + ": no such option", false;
        if (!request.medium.empty()) return error = "one medium only: " + arg, false;
        request.medium = arg;
    }
    if (request.medium.empty()) return error = "no medium given", false;
    return true;
}

std::string SystemTitle(const PlanRequest& request) {
    std::string title;
    for (const WindowsName& name : WindowsNames())
        if (name.osVersionCode == request.machine.osVersionCode) title = name.title;
    if (request.machine.architecture == 9) return "x64 " + title;
    if (request.machine.architecture == 6) return "IA-64 " + title;
    return title;
}
