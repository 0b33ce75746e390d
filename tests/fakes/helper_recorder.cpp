// Stand-in for the programs the installer starts (the tablet's clients, a component's own
// tools): records its command line, described by the file named by HELPER_RECORDER:
// "log <path>" where to record, "delay <ms>" how long to run before ending, "hold <path>" a
// file it keeps open without delete sharing while it runs, as a running program keeps its own.
// Logs "start <command line>" at once and "end <command line>" when it ends.
#include "tests/fakes/fake_description.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string log, value, hold;
    DWORD delay = 0;
    for (const std::string& line : DescriptionLines("HELPER_RECORDER")) {
        if (DescriptionValue(line, "log", value)) log = value;
        else if (DescriptionValue(line, "delay", value)) delay = strtoul(value.c_str(), nullptr, 10);
        else if (DescriptionValue(line, "hold", value)) hold = value;
    }
    HANDLE held = hold.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileA(hold.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string commandLine = GetCommandLineA();
    AppendLogLine(log, "start " + commandLine);
    Sleep(delay);
    AppendLogLine(log, "end " + commandLine);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    return 0;
}
