// Registering COM servers in tests, as a visitor's machine does it: with
// regsvr32 in a process of its own, or through the DLL's own export.
#pragma once
#include <windows.h>
#include <string>

// The Windows name of a file of this machine (drive Z: is the root).
std::string DosPath(const std::string& UnixPath);
// Runs "regsvr32 /s" (with Unregister, "/u" too) on the DLL; its exit code,
// -1 when it could not run or did not end within a minute.
int Regsvr32(const std::string& DllUnixPath, bool Unregister = false);
// Loads the DLL and calls its DllRegisterServer in this process.
HRESULT RegisterServerInProcess(const std::string& DllUnixPath);
