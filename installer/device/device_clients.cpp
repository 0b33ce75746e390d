#include "installer/device/device_clients.h"
#include <windows.h>
#include <tlhelp32.h>
#include "installer/core/handles.h"
#include "installer/core/system_functions.h"
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

// Walks one process snapshot, never the installer itself, until visit returns true; whether it did.
template <typename Visit>
bool WalkOtherProcesses(Visit visit) {
    // NT 4.0 has no process snapshots: there the walk finds nothing.
    using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
    using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    auto takeSnapshot = SystemFunction<SnapshotFn>("kernel32", "CreateToolhelp32Snapshot");
    auto first = SystemFunction<WalkFn>("kernel32", "Process32First");
    auto next = SystemFunction<WalkFn>("kernel32", "Process32Next");
    if (!takeSnapshot || !first || !next) return false;
    FileHandle snapshot(takeSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snapshot.get(), &entry); more; more = next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID != GetCurrentProcessId() && visit(entry)) return true;
    }
    return false;
}
}  // namespace

bool TerminateProcessByName(const char* fileName) {
    if (!fileName) return false;
    DWORD match = 0;
    bool found = WalkOtherProcesses([&](const PROCESSENTRY32& entry) {
        match = entry.th32ProcessID;
        return ProcessNameOccursIn(entry.szExeFile, fileName);
    });
    return found && EndProcess(match);
}

void RunningProgramNames::Take() {
    names_.clear();
    WalkOtherProcesses([this](const PROCESSENTRY32& entry) {
        names_.emplace_back(entry.szExeFile);
        return false;
    });
    takenAt_ = GetTickCount();
    taken_ = true;
}

bool RunningProgramNames::AnyOccursIn(const char* fileName) {
    if (!fileName) return false;
    if (!taken_ || GetTickCount() - takenAt_ >= kFreshForMs) Take();
    for (const std::string& name : names_) {
        if (ProcessNameOccursIn(name.c_str(), fileName)) return true;
    }
    return false;
}
