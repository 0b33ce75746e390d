#pragma once
// The OS version code: Windows 95 family 100 x major + minor - 200, NT family
// 100 x major + minor, 0 for anything else or when the version is unknown.
int OsVersionCodeFor(bool known, unsigned platformId, unsigned major, unsigned minor);

// The native processor architecture: 0 (x86 or unknown), 6 (IA-64), 9 (x64). Without the
// WOW64 query functions (Windows 95 to 2000), or when the query fails, it is 0.
int NativeArchitectureFrom(bool queryFunctionsFound, bool wow64QuerySucceeded, unsigned processorArchitecture);
