#pragma once
// Replacing a file at the next start of Windows: the delayed move of the NT family, the
// "WinInit.Ini" rename list of the Windows 95 family.

// Moves temporaryPath over destinationPath at the next start; an empty destination deletes
// temporaryPath then. False only when the Windows 95 family's list could not be rewritten.
bool ScheduleReplace(const char* destinationPath, const char* temporaryPath);
