#pragma once
// The version-installation service behind one seam: the system's VerInstallFileA, or the
// project's own where the system's is missing or known to be incomplete (Wine never reports
// a destination in use, nor a different language or code page).
#include <windows.h>

using VersionInstallFn = DWORD(WINAPI*)(DWORD flags, LPCSTR sourceName, LPCSTR destName, LPCSTR sourceDir,
                                        LPCSTR destDir, LPCSTR currentDir, LPSTR tempName, PUINT tempNameLength);

// The service in use: the one set for tests, else the one chosen for this system.
VersionInstallFn VersionInstallService();
void SetVersionInstallService(VersionInstallFn service);   // null restores the choice
// The system's VerInstallFileA looked up by name; null when it is missing.
VersionInstallFn SystemVersionInstall();
bool RunningUnderWine();

// The project's service. Copies the source (expanding LZ) to a temporary file beside the
// destination, then: source older or of another language, code page or type gives conflict
// bits unless forced; a read-only destination VIF_WRITEPROT; one held open VIF_FILEINUSE;
// one that cannot be read VIF_CANNOTREADDST. The temporary file stays (VIF_TEMPFILE, its bare
// name returned) whenever the destination was not replaced.
DWORD WINAPI OwnVersionInstall(DWORD flags, LPCSTR sourceName, LPCSTR destName, LPCSTR sourceDir, LPCSTR destDir,
                               LPCSTR currentDir, LPSTR tempName, PUINT tempNameLength);
