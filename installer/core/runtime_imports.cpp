// The programs' answer to the runtime's own imports. The thread library linked into both
// programs imports kernel32 functions that older systems lack (GetTickCount64 came with Vista,
// the vectored exception handlers with XP, the rest with NT; the first 64-bit Windows, XP and
// Server 2003, lack GetTickCount64 too), and a program whose import cannot be found does not
// start at all. The import slots are defined here instead, so
// the linker takes these rather than kernel32's: each looks the system's function up by name
// and, where it is missing, does what the runtime needs of it.
#include <windows.h>

namespace {
template <typename Fn>
Fn Kernel(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

ULONGLONG WINAPI TickCount64() {
    if (auto system = Kernel<ULONGLONG(WINAPI*)()>("GetTickCount64")) return system();
    return GetTickCount();   // the runtime measures short waits only
}

PVOID WINAPI AddVectoredHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    if (auto system = Kernel<PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER)>("AddVectoredExceptionHandler"))
        return system(first, handler);
    return nullptr;
}

ULONG WINAPI RemoveVectoredHandler(PVOID handle) {
    if (auto system = Kernel<ULONG(WINAPI*)(PVOID)>("RemoveVectoredExceptionHandler")) return system(handle);
    return 0;
}

BOOL WINAPI TryEnterSection(LPCRITICAL_SECTION section) {
    if (auto system = Kernel<BOOL(WINAPI*)(LPCRITICAL_SECTION)>("TryEnterCriticalSection")) return system(section);
    EnterCriticalSection(section);   // waits instead of failing: the programs have one thread
    return TRUE;
}

BOOL WINAPI HandleInformation(HANDLE handle, LPDWORD flags) {
    if (auto system = Kernel<BOOL(WINAPI*)(HANDLE, LPDWORD)>("GetHandleInformation")) return system(handle, flags);
    if (flags) *flags = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

BOOL WINAPI DebuggerPresent() {
    if (auto system = Kernel<BOOL(WINAPI*)()>("IsDebuggerPresent")) return system();
    return FALSE;
}

BOOL WINAPI ProcessAffinity(HANDLE process, PDWORD_PTR processMask, PDWORD_PTR systemMask) {
    if (auto system = Kernel<BOOL(WINAPI*)(HANDLE, PDWORD_PTR, PDWORD_PTR)>("GetProcessAffinityMask"))
        return system(process, processMask, systemMask);
    if (processMask) *processMask = 1;
    if (systemMask) *systemMask = 1;
    return TRUE;
}

// The runtime asks for modules by wide names (ASCII ones); the 95 family has only stubs for the
// wide forms, so the ANSI calls answer on every system alike.
bool Narrowed(LPCWSTR wide, char (&narrow)[MAX_PATH]) {
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, nullptr, nullptr) > 0;
}

HMODULE WINAPI ModuleHandleWide(LPCWSTR name) {
    char narrow[MAX_PATH];
    if (!name) return GetModuleHandleA(nullptr);
    return Narrowed(name, narrow) ? GetModuleHandleA(narrow) : nullptr;
}

HMODULE WINAPI LoadLibraryWide(LPCWSTR name) {
    char narrow[MAX_PATH];
    return name && Narrowed(name, narrow) ? LoadLibraryA(narrow) : nullptr;
}

BOOL WINAPI SetAffinity(HANDLE process, DWORD_PTR mask) {
    if (auto system = Kernel<BOOL(WINAPI*)(HANDLE, DWORD_PTR)>("SetProcessAffinityMask")) return system(process, mask);
    return mask == 1;
}
}  // namespace

// The import slots by the names the linker gives them: decorated for 32-bit stdcall functions.
#ifdef _WIN64
#define IMPORT_SLOT(name, argumentBytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#endif
extern "C" {
__attribute__((used)) void* slotTickCount64 __asm__(IMPORT_SLOT(GetTickCount64, 0)) = reinterpret_cast<void*>(&TickCount64);
__attribute__((used)) void* slotAddVectored __asm__(IMPORT_SLOT(AddVectoredExceptionHandler, 8)) = reinterpret_cast<void*>(&AddVectoredHandler);
__attribute__((used)) void* slotRemoveVectored __asm__(IMPORT_SLOT(RemoveVectoredExceptionHandler, 4)) = reinterpret_cast<void*>(&RemoveVectoredHandler);
__attribute__((used)) void* slotTryEnter __asm__(IMPORT_SLOT(TryEnterCriticalSection, 4)) = reinterpret_cast<void*>(&TryEnterSection);
__attribute__((used)) void* slotHandleInformation __asm__(IMPORT_SLOT(GetHandleInformation, 8)) = reinterpret_cast<void*>(&HandleInformation);
__attribute__((used)) void* slotDebuggerPresent __asm__(IMPORT_SLOT(IsDebuggerPresent, 0)) = reinterpret_cast<void*>(&DebuggerPresent);
__attribute__((used)) void* slotProcessAffinity __asm__(IMPORT_SLOT(GetProcessAffinityMask, 12)) = reinterpret_cast<void*>(&ProcessAffinity);
__attribute__((used)) void* slotModuleHandleWide __asm__(IMPORT_SLOT(GetModuleHandleW, 4)) = reinterpret_cast<void*>(&ModuleHandleWide);
__attribute__((used)) void* slotLoadLibraryWide __asm__(IMPORT_SLOT(LoadLibraryW, 4)) = reinterpret_cast<void*>(&LoadLibraryWide);
__attribute__((used)) void* slotSetAffinity __asm__(IMPORT_SLOT(SetProcessAffinityMask, 8)) = reinterpret_cast<void*>(&SetAffinity);
}
