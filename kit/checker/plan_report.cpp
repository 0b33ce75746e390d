#include "kit/checker/plan_report.h"

#include <cstring>
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

std::string Chain(const InstallPlan& plan) {
    std::string chain;
    for (const std::string& name : plan.chain) chain += (chain.empty() ? "" : ", ") + name;
    return chain;
}

std::string Run(const PlanRequest& request) {
    std::string run = "Instally.exe /NODRV /DEV:" + std::to_string(request.deviceType) + " /S";
    if (!request.installDir.empty()) run += " /DEFDIR:" + request.installDir;
    return run;
}
}  // namespace

std::string PlanExpected(const InstallPlan& plan, const PlanRequest& request) {
    std::string out = "# What a silent install of the medium does on a fresh " + plan.system + " (" + Run(request) +
                      "), and what of it stays after the uninstall. Made by kitcheck plan.\n#\n";
    out += "# The installer tries " + Chain(plan) + "; it takes " + (plan.script.empty() ? "none" : plan.script) + ".\n";
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
// The heading an item is listed under: the kit's own record apart from what its components do.
const char* Heading(const PlanItem& item) {
    if (item.kind == "folder") return "Folders made";
    if (item.component == "App") return "The record, the uninstaller and its entry in the list of programs";
    if (item.kind == "file") return "Files";
    if (item.kind == "ini") return "INI changes";
    if (item.kind == "regval" || item.kind == "regkey") return "Registry";
    if (item.kind == "link") return "Links";
    return "Programs and library registrations";
}

std::string Indented(const PlanItem& item) {
    std::string line = "  " + Padded(item.component, 7) + item.where;
    if (item.kind != "folder") line += (item.kind == "file" || item.kind == "link" ? "\n" + std::string(11, ' ') : "  ") + item.what;
    if (!item.detail.empty()) line += "; " + item.detail;
    return line + "\n";
}

// The items under their headings, the headings in the order the install first reaches them.
std::string Grouped(const std::vector<PlanItem>& items) {
    std::vector<std::string> headings;
    for (const PlanItem& item : items) {
        bool known = false;
        for (const std::string& h : headings) known = known || h == Heading(item);
        if (!known) headings.push_back(Heading(item));
    }
    std::string out;
    for (const std::string& heading : headings) {
        out += heading + ":\n";
        for (const PlanItem& item : items)
            if (heading == Heading(item)) out += Indented(item);
    }
    return out;
}

std::string Fates(const std::vector<PlanItem>& items, const char* fate) {
    std::string out;
    for (const PlanItem& item : items)
        if (item.after.compare(0, strlen(fate), fate) == 0)
            out += "  " + Padded(item.kind, 7) + Padded(item.component, 7) + item.where +
                   (item.kind == "regval" || item.kind == "ini" ? "  " + item.what : "") +
                   (item.after == fate ? "" : "  (" + item.after + ")") + "\n";
    return out;
}
}  // namespace

std::string PlanReadable(const InstallPlan& plan, const PlanRequest& request) {
    std::string out = "Silent install on a fresh " + plan.system + ": " + Run(request) + "\n";
    out += "Script: " + (plan.script.empty() ? std::string("none") : plan.script) + " (the installer tries " + Chain(plan) + ")";
    out += plan.languageSuffix.empty() ? std::string(", no language suffix\n") : ", language suffix " + plan.languageSuffix + "\n";
    for (const auto& definition : plan.definitions) out += Padded(definition.first, 14) + definition.second + "\n";
    if (!plan.stop.empty()) out += "Stops: " + plan.stop + "\n";
    out += "\nThe install, in order\n" + Grouped(plan.install);
    out += "\nThe uninstall\n";
    if (!plan.uninstall.empty()) out += "Its own steps, in order:\n" + Grouped(plan.uninstall);
    out += "Removes what the install made:\n" + Fates(plan.install, "removed");
    std::string kept = Fates(plan.install, "stays");
    if (!kept.empty()) out += "Keeps:\n" + kept;
    if (!plan.notes.empty()) out += "\nNotes\n";
    for (const std::string& note : plan.notes) out += "  " + note + "\n";
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
