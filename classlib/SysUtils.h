// Exceptions and the string, number, date and file-name helpers of the class library.
#pragma once
#include <windows.h>
#include <cstdint>
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(const std::string& msg) : FMessage(msg) {}
    virtual ~Exception() = default;
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }
private:
    std::string FMessage;
};

#define CLASSLIB_EXCEPTION(Name, Base) \
    class Name : public Base { public: using Base::Base; };
CLASSLIB_EXCEPTION(EConvertError, Exception)
CLASSLIB_EXCEPTION(EListError, Exception)
CLASSLIB_EXCEPTION(EStringListError, Exception)
CLASSLIB_EXCEPTION(EStreamError, Exception)
CLASSLIB_EXCEPTION(EFileStreamError, EStreamError)
CLASSLIB_EXCEPTION(EFCreateError, EFileStreamError)
CLASSLIB_EXCEPTION(EFOpenError, EFileStreamError)
CLASSLIB_EXCEPTION(EReadError, EStreamError)
CLASSLIB_EXCEPTION(EWriteError, EStreamError)
CLASSLIB_EXCEPTION(EInvalidOperation, Exception)
CLASSLIB_EXCEPTION(EInvalidPointer, Exception)
CLASSLIB_EXCEPTION(EOutOfMemory, Exception)
CLASSLIB_EXCEPTION(EThread, Exception)
CLASSLIB_EXCEPTION(EComponentError, Exception)
CLASSLIB_EXCEPTION(EIniFileException, Exception)
CLASSLIB_EXCEPTION(EAbort, Exception)
CLASSLIB_EXCEPTION(EOSError, Exception)
CLASSLIB_EXCEPTION(ESocketError, Exception)
#undef CLASSLIB_EXCEPTION

// Raises EOSError for GetLastError (or the code given) with the system's text.
[[noreturn]] void RaiseLastOSError(DWORD code = 0);
std::string SysErrorMessage(DWORD code);
// Silent exception that unwinds without a message.
[[noreturn]] void Abort();

std::string IntToStr(long long value);
std::string IntToHex(unsigned long long value, int digits);
int StrToInt(const std::string& s);                 // EConvertError when not a number
int StrToIntDef(const std::string& s, int def);
bool TryStrToInt(const std::string& s, int& value);
double StrToFloat(const std::string& s);            // EConvertError when not a number
bool TryStrToFloat(const std::string& s, double& value);
std::string FloatToStr(double value);               // shortest round-trip text, '.' separator

std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);
// 1-based position of the first occurrence of What in Text, 0 when absent.
int Pos(const std::string& What, const std::string& Text);
// Count characters from the 1-based Index (below 1 counts as 1), cut to what is there.
std::string Copy(const std::string& S, int Index, int Count);

// Text for the few "W" functions and COM interfaces that have no ANSI form.
// WCHAR is 16 bits here while wchar_t is 32, so wide text is never wchar_t.
typedef std::basic_string<WCHAR> TWideString;
TWideString AnsiToWide(const std::string& s);          // CP_ACP; size() excludes the terminator
std::string WideToAnsi(const WCHAR* w);                  // null-terminated input; null gives ""
std::string WideToAnsi(const WCHAR* w, size_t length);   // exactly length characters
std::string StringReplaceAll(const std::string& s, const std::string& from, const std::string& to);
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// File names use the Windows separators '\' (and accept '/') and drive colons.
std::string ExtractFilePath(const std::string& name);   // up to and including the last separator
std::string ExtractFileDir(const std::string& name);    // the same without the trailing separator
std::string ExtractFileName(const std::string& name);
std::string ExtractFileExt(const std::string& name);    // with the dot
std::string ChangeFileExt(const std::string& name, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& dir);
std::string ExcludeTrailingPathDelimiter(const std::string& dir);
bool FileExists(const std::string& name);               // an existing file, not a folder
bool DirectoryExists(const std::string& name);
bool DeleteFileA_(const std::string& name);
inline bool DeleteFile(const std::string& name) { return DeleteFileA_(name); }
bool ForceDirectories(const std::string& dir);
std::string GetCurrentDir();
long long FileSizeOf(const std::string& name);          // -1 when missing
// The folder of the running module (exe or DLL that contains this code), with a trailing '\'.
std::string ModuleFolder(HMODULE module = nullptr);
std::string ParamStr(int index);

// Elapsed time helpers built on GetTickCount.
inline DWORD TickCount() { return GetTickCount(); }
