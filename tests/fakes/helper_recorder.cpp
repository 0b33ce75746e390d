// Stand-in for the programs the installer starts (the tablet's clients, a component's own
// tools): records its command line, described by the file named by HELPER_RECORDER:
// "log <path>" where to record, "delay <ms>" how long to run before ending.
// Logs "start <command line>" at once and "end <command line>" when it ends.
#include "tests/fakes/fake_description.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string log, value;
    DWORD delay = 0;
    for (const std::string& line : DescriptionLines("HELPER_RECORDER")) {
        if (DescriptionValue(line, "log", value)) log = value;
        else if (DescriptionValue(line, "delay", value)) delay = strtoul(value.c_str(), nullptr, 10);
    }
    std::string commandLine = GetCommandLineA();
    AppendLogLine(log, "start " + commandLine);
    Sleep(delay);
    AppendLogLine(log, "end " + commandLine);
    return 0;
}
