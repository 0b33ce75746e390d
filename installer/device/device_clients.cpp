#include "installer/device/device_clients.h"
#include <windows.h>
#include <tlhelp32.h>
#include "installer/core/handles.h"
#include "installer/device/device_rules.h"

void StopDeviceClients(const int* deviceTypes, int count) {
    for (int i = 0; deviceTypes && i < count; ++i) {
        StopCommand stop;
        if (!StopCommandFor(deviceTypes[i], stop)) continue;
        WinExec(stop.command, SW_HIDE);   // a missing client is no error: the wait happens anyway
        Sleep(stop.waitMs);
    }
}

namespace {
bool EndProcess(DWORD processId) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return false;
    TerminateProcess(process.get(), 0);
    Sleep(500);
    return true;
}
}  // namespace

bool TerminateProcessByName(const char* fileName) {
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || !fileName) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;   // never the installer itself
        if (ProcessNameOccursIn(entry.szExeFile, fileName)) return EndProcess(entry.th32ProcessID);
    }
    return false;
}
