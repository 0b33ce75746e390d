#include "kit/checker/plan_report.h"

#include "kit/checker/findings.h"

namespace {
std::string Line(const PlanItem& item) {
    std::string kind = item.kind;
    kind.resize(kind.size() < 6 ? 6 : kind.size(), ' ');
    return kind + " | " + item.component + " | " + item.where + " | " + item.what + " | " + item.after + "\n";
}

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + "  " : text + std::string(width - text.size(), ' ');
}

std::string Run(const PlanRequest& request) {
    std::string run = "Instally.exe /NODRV /DEV:" + std::to_string(request.deviceType) + " /S";
    if (!request.installDir.empty()) run += " /DEFDIR:" + request.installDir;
    return run;
}
}  // namespace

std::string PlanText(const InstallPlan& plan, const PlanRequest& request) {
    std::string out = "# What a silent install of the medium does on a fresh " + plan.system + " (" + Run(request) +
                      "), and what of it stays after the uninstall. Made by kitcheck plan.\n#\n";
    std::string chain;
    for (const std::string& name : plan.chain) chain += (chain.empty() ? "" : ", ") + name;
    out += "# The installer tries " + chain + "; it takes " + (plan.script.empty() ? "none" : plan.script) + ".\n";
    if (!plan.languageSuffix.empty()) out += "# Sections are read with the language suffix " + plan.languageSuffix + ".\n";
    if (!plan.stop.empty()) out += "#\n# " + plan.stop + "\n";
    if (!plan.definitions.empty()) {
        out += "#\n# Folders:\n";
        for (const auto& definition : plan.definitions) out += "#   " + Padded(definition.first, 16) + definition.second + "\n";
    }
    out += "#\n# kind | component | where | what | after uninstall\n";
    for (const PlanItem& item : plan.install) out += Line(item);
    if (!plan.uninstall.empty()) out += "\n# --- what the uninstall does of its own, in its order ---\n";
    for (const PlanItem& item : plan.uninstall) out += Line(item);
    if (!plan.notes.empty()) out += "\n# --- what happens and leaves nothing ---\n";
    for (const std::string& note : plan.notes) out += "# " + note + "\n";
    return out;
}

namespace {
std::string JsonItems(const std::vector<PlanItem>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        const PlanItem& item = items[i];
        out += std::string(i ? ",\n  " : "\n  ") + "{\"kind\": " + JsonString(item.kind) +
               ", \"component\": " + JsonString(item.component) + ", \"where\": " + JsonString(item.where) +
               ", \"what\": " + JsonString(item.what) + ", \"after\": " + JsonString(item.after) + "}";
    }
    return out + (items.empty() ? "]" : "\n]");
}

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + JsonString(texts[i]);
    return out + "]";
}
}  // namespace

std::string PlanJson(const InstallPlan& plan) {
    std::string out = "{\"system\": " + JsonString(plan.system) + ", \"chain\": " + JsonStrings(plan.chain) +
                      ", \"script\": " + JsonString(plan.script) + ", \"language\": " + JsonString(plan.languageSuffix) +
                      ", \"stop\": " + JsonString(plan.stop) + ",\n\"folders\": {";
    for (size_t i = 0; i < plan.definitions.size(); ++i)
        out += (i ? ", " : "") + JsonString(plan.definitions[i].first) + ": " + JsonString(plan.definitions[i].second);
    out += "},\n\"install\": " + JsonItems(plan.install) + ",\n\"uninstall\": " + JsonItems(plan.uninstall) +
           ",\n\"notes\": " + JsonStrings(plan.notes) + ", \"exit\": " + std::to_string(plan.outcome) + "}\n";
    return out;
}
