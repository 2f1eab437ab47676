#include "SysUtils.h"
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string SysErrorMessage(DWORD code)
{
    char buf[512] = {0};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                             buf, sizeof(buf), nullptr);
    std::string s(buf, n);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.'))
        s.pop_back();
    return s;
}

void RaiseLastOSError(DWORD code)
{
    if (code == 0) code = GetLastError();
    throw EOSError("System Error.  Code: " + IntToStr(code) + ".\n" + SysErrorMessage(code));
}

void Abort() { throw EAbort("Operation aborted"); }

std::string IntToStr(long long value) { return std::to_string(value); }

std::string IntToHex(unsigned long long value, int digits)
{
    char buf[40];
    snprintf(buf, sizeof(buf), "%0*llX", digits, value);
    return buf;
}

bool TryStrToInt(const std::string& s, int& value)
{
    std::string t = Trim(s);
    if (t.empty()) return false;
    const char* p = t.c_str();
    char* end = nullptr;
    errno = 0;
    long long v;
    if (t.size() > 1 && (t[0] == '$'))
        v = strtoll(p + 1, &end, 16);
    else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        v = strtoll(p + 2, &end, 16);
    else
        v = strtoll(p, &end, 10);
    if (errno || *end != 0 || end == p) return false;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const std::string& s)
{
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const std::string& s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

bool TryStrToFloat(const std::string& s, double& value)
{
    std::string t = Trim(s);
    if (t.empty()) return false;
    // Accept a comma as the decimal separator too.
    std::replace(t.begin(), t.end(), ',', '.');
    char* end = nullptr;
    errno = 0;
    double v = strtod(t.c_str(), &end);
    if (errno || *end != 0) return false;
    value = v;
    return true;
}

double StrToFloat(const std::string& s)
{
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

std::string FloatToStr(double value)
{
    char buf[64];
    for (int prec = 1; prec <= 17; ++prec) {
        snprintf(buf, sizeof(buf), "%.*g", prec, value);
        if (strtod(buf, nullptr) == value) break;
    }
    return buf;
}

std::string TrimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

std::string UpperCase(const std::string& s)
{
    std::string r = s;
    for (auto& c : r) if (c >= 'a' && c <= 'z') c = char(c - 32);
    return r;
}

std::string LowerCase(const std::string& s)
{
    std::string r = s;
    for (auto& c : r) if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return r;
}

int CompareText(const std::string& a, const std::string& b)
{
    std::string x = UpperCase(a), y = UpperCase(b);
    return x.compare(y);
}

bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

int Pos(const std::string& What, const std::string& Text)
{
    size_t p = Text.find(What);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(const std::string& S, int Index, int Count)
{
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > static_cast<int>(S.size())) return std::string();
    return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

std::string StringReplaceAll(const std::string& s, const std::string& from, const std::string& to)
{
    if (from.empty()) return s;
    std::string r;
    size_t pos = 0, hit;
    while ((hit = s.find(from, pos)) != std::string::npos) {
        r.append(s, pos, hit - pos);
        r += to;
        pos = hit + from.size();
    }
    r.append(s, pos, std::string::npos);
    return r;
}

std::string Format(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string r(n > 0 ? n : 0, '\0');
    if (n > 0) vsnprintf(&r[0], n + 1, fmt, ap2);
    va_end(ap2);
    return r;
}

static bool IsDelim(char c) { return c == '\\' || c == '/' || c == ':'; }

std::string ExtractFilePath(const std::string& name)
{
    size_t i = name.size();
    while (i > 0 && !IsDelim(name[i - 1])) --i;
    return name.substr(0, i);
}

std::string ExtractFileDir(const std::string& name)
{
    std::string p = ExtractFilePath(name);
    if (p.size() > 1 && (p.back() == '\\' || p.back() == '/') && p[p.size() - 2] != ':') p.pop_back();
    return p;
}

std::string ExtractFileName(const std::string& name) { return name.substr(ExtractFilePath(name).size()); }

std::string ExtractFileExt(const std::string& name)
{
    std::string f = ExtractFileName(name);
    size_t dot = f.rfind('.');
    return dot == std::string::npos ? std::string() : f.substr(dot);
}

std::string ChangeFileExt(const std::string& name, const std::string& ext)
{
    std::string path = ExtractFilePath(name), f = ExtractFileName(name);
    size_t dot = f.rfind('.');
    if (dot != std::string::npos) f.resize(dot);
    return path + f + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& dir)
{
    if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) return dir;
    return dir + "\\";
}

std::string ExcludeTrailingPathDelimiter(const std::string& dir)
{
    std::string d = dir;
    while (!d.empty() && (d.back() == '\\' || d.back() == '/')) d.pop_back();
    return d;
}

bool FileExists(const std::string& name)
{
    DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& name)
{
    DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileA_(const std::string& name) { return ::DeleteFileA(name.c_str()) != 0; }

bool ForceDirectories(const std::string& dir)
{
    std::string d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty() || DirectoryExists(d)) return true;
    std::string parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return CreateDirectoryA(d.c_str(), nullptr) || DirectoryExists(d);
}

std::string GetCurrentDir()
{
    char buf[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
    return std::string(buf, n);
}

long long FileSizeOf(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &d)) return -1;
    return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

std::string ModuleFolder(HMODULE module)
{
    if (!module) {
        // The module that holds this function: the program, or the control's DLL.
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ModuleFolder), &module);
    }
    char buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(module, buf, sizeof(buf));
    return ExtractFilePath(std::string(buf, n));
}

std::string ParamStr(int index)
{
    if (index == 0) {
        char buf[MAX_PATH * 2];
        DWORD n = GetModuleFileNameA(nullptr, buf, sizeof(buf));
        return std::string(buf, n);
    }
    // Split the command line the way the runtime does: blanks separate, quotes group.
    const char* p = GetCommandLineA();
    int i = 0;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"') quoted = !quoted;
            else arg += *p;
            ++p;
        }
        if (i++ == index) return arg;
    }
    return std::string();
}

TWideString AnsiToWide(const std::string& s)
{
    if (s.empty()) return TWideString();
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return TWideString();
    TWideString out(static_cast<size_t>(n), 0);
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &out[0], n);
    return out;
}

std::string WideToAnsi(const WCHAR* w, size_t length)
{
    if (!w || !length) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(length), &out[0], n, nullptr, nullptr);
    return out;
}

std::string WideToAnsi(const WCHAR* w)
{
    if (!w) return std::string();
    size_t len = 0;
    while (w[len]) ++len;
    return WideToAnsi(w, len);
}
