// Small helpers of the control's COM surface: text between BSTRs and 8-bit
// strings, and the module's lock count.
#pragma once
#include <windows.h>
#include <ole2.h>
#include "SysUtils.h"
#include <string>

// A failure with its COM result code: the control's methods return that code.
class EOleSysError : public Exception {
public:
    EOleSysError(const std::string& Message, HRESULT Code) : Exception(Message), FCode(Code) {}
    HRESULT ErrorCode() const { return FCode; }
private:
    HRESULT FCode;
};
// Raises EOleSysError (What and the code) when Result is a failure.
void OleCheck(HRESULT Result, const std::string& What);

// Dots per logical inch of the screen, across (X) or down.
int ScreenPixelsPerInch(bool X);

// BSTRs over the class library's converters (AnsiToWide, WideToAnsi).
std::string BstrToString(BSTR Value);
BSTR StringToBstr(const std::string& Value);
// "{xxxxxxxx-...}", as the registry writes class and library identifiers.
std::string GuidText(REFGUID Guid);

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
