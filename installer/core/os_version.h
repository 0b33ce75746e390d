#pragma once
// The OS version code: Windows 95 family 100 x major + minor - 200, NT family
// 100 x major + minor, 0 for anything else or when the version is unknown.
int OsVersionCodeFor(bool known, unsigned platformId, unsigned major, unsigned minor);
