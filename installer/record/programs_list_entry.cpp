#include "installer/record/programs_list_entry.h"

StrBuf ProgramsListKeyPath(const char* productName) {
    return StrBuf("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + productName;
}

StrBuf UninstallCommand(const ProgramsListFacts& facts, bool quiet) {
    StrBuf command = StrBuf("\"") + facts.uninstaller + "\"";
    if (quiet) command += " /S";
    command += " /@";
    command += facts.recordKey;
    return command;
}

std::vector<ProgramsListValue> ProgramsListValues(const ProgramsListFacts& facts) {
    std::vector<ProgramsListValue> values = {
        {"DisplayName", false, facts.productName, 0},
        {"UninstallString", false, UninstallCommand(facts, false), 0},
        {"QuietUninstallString", false, UninstallCommand(facts, true), 0},
        {"DisplayIcon", false, facts.uninstaller + ",0", 0},
        {"NoModify", true, StrBuf(), 1},
        {"NoRepair", true, StrBuf(), 1},
    };
    if (!facts.installDir.IsEmpty()) values.push_back({"InstallLocation", false, facts.installDir, 0});
    if (!facts.publisher.IsEmpty()) values.push_back({"Publisher", false, facts.publisher, 0});
    if (!facts.version.IsEmpty()) values.push_back({"DisplayVersion", false, facts.version, 0});
    if (facts.sizeK > 0) values.push_back({"EstimatedSize", true, StrBuf(), static_cast<unsigned>(facts.sizeK)});
    return values;
}
