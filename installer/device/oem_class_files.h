#pragma once
// Removing the driver-package descriptions Windows kept for a device class.

// Deletes "oem*.inf" in the Windows INF folder and "*.inf" in INF\OTHER whose
// [Version] Class equals the class name (case ignored). False when either folder cannot be
// entered: the caller then keeps the component's record.
bool DeleteOemClassFiles(const char* className);
