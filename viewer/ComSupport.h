// Small helpers of the control's COM surface: text between BSTRs and 8-bit
// strings, and the module's lock count.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <string>

std::string BstrToString(BSTR Value);
BSTR StringToBstr(const std::string& Value);
// UTF-16 text for the W functions (WCHAR is 16 bits, wchar_t 32 bits here).
std::basic_string<WCHAR> ToWide(const std::string& Value);

// Objects and server locks alive in this module (DllCanUnloadNow).
void ModuleLock();
void ModuleUnlock();
LONG ModuleLockCount();
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE Instance);
std::string ModuleFileName();

// The control's type library, loaded once from this module's resources.
ITypeLib* ControlTypeLib();
// "quenda.tlb" beside this module, and writing the TYPELIB resource there.
std::string TypeLibFileName();
bool WriteTypeLibFile(const std::string& FileName);
