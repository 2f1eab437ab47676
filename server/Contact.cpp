#include "Contact.h"
#include "Log.h"
#include "Settings.h"
#include "Handles.h"
#include <vector>

const char* const GuestRegistration =
    "registration&name=guest&company=unknown&email=unknown&phone=unknown&interest=unknown";

namespace {

// Copy of the text from position `from` up to position `to`, both included.
std::string Between(const std::string& s, int from, int to) { return Copy(s, from, to - from + 1); }

std::string FlagText(uint8_t flag) { return IntToStr(flag); }

} // namespace

std::string StripControlChars(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char ch : text)
        if (ch >= 0x20 && ch != 0x7F) out += static_cast<char>(ch);
    return out;
}

CContact::CContact(TStream* file) : Threads(new CMultiThreadList) { ReadFrom(file); }

CContact::CContact(const std::string& registration, const std::string& ip) : IP(ip), Threads(new CMultiThreadList)
{
    ParseRegistration(registration);
}

CContact::~CContact()
{
    Threads->Lock();
    Threads->Clear();
    Threads->Unlock();
}

void CContact::ParseRegistration(const std::string& text)
{
    int a = Pos("name=", text);
    int b = Pos("company=", text);
    int c = Pos("email=", text);
    int d = Pos("phone=", text);
    int e = Pos("interest=", text);
    // Each value runs up to the "&" before the next key, which is dropped.
    Name = StripControlChars(Between(text, a + 5, b - 2));
    Company = StripControlChars(Between(text, b + 8, c - 2));
    Email = StripControlChars(Between(text, c + 6, d - 2));
    Phone = StripControlChars(Between(text, d + 6, e - 2));
    Interest = StripControlChars(Copy(text, e + 9, static_cast<int>(text.size())));
}

bool CContact::IsOnline() { return Threads->GetCount() > 0; }

void CContact::WriteString(TStream* file, const std::string& text)
{
    int32_t n = static_cast<int32_t>(text.size());
    file->WriteBuffer(&n, 4);
    if (n > 0) file->WriteBuffer(text.data(), n);
}

std::string CContact::ReadString(TStream* file)
{
    int32_t n = 0;
    file->ReadBuffer(&n, 4);
    long long left = file->GetSize() - file->GetPosition();
    if (n < 0 || n > left) throw EReadError("String length " + IntToStr(n) + " does not fit the file");
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
    if (n > 0) file->ReadBuffer(buf.data(), n);
    return std::string(buf.data());
}

void CContact::WriteTo(TStream* file) const
{
    if (!file) return;
    for (const std::string* s : {&Name, &Company, &Email, &Phone, &Interest, &IP, &History}) WriteString(file, *s);
    WriteString(file, FlagText(BlackListed));
}

void CContact::ReadFrom(TStream* file)
{
    if (!file) return;
    for (std::string* s : {&Name, &Company, &Email, &Phone, &Interest, &IP, &History}) *s = ReadString(file);
    BlackListed = StrToInt(ReadString(file)) != 0 ? 1 : 0;
}

// ---------------------------------------------------------------- the file

namespace {

// Keeps a copy of a damaged file under a name that no other copy has.
void KeepDamagedCopy(const std::string& path)
{
    for (int i = 0; i < 1000; ++i) {
        std::string aside = path + ".damaged" + (i ? "." + IntToStr(i) : std::string());
        if (CopyFileA(path.c_str(), aside.c_str(), TRUE)) return;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

} // namespace

void ReadContactsFile(CMultiThreadList* list, const std::string& path)
{
    TLockGuard<CMultiThreadList> hold(*list);
    if (!FileExists(path)) return;
    TMemoryStream file;
    file.LoadFromFile(path);
    try {
        int32_t count = 0;
        file.ReadBuffer(&count, 4);
        if (count < 0) throw EReadError("Negative contact count " + IntToStr(count));
        // A count larger than the records that follow stops at the first missing one.
        for (int32_t i = 0; i < count; ++i) list->Add(new CContact(&file));
    } catch (const std::exception&) {
        KeepDamagedCopy(path);
        throw;
    }
}

void WriteContactsFile(CMultiThreadList* list, const std::string& path)
{
    TLockGuard<CMultiThreadList> hold(*list);
    TMemoryStream data;
    int32_t count = list->GetCount();
    data.WriteBuffer(&count, 4);
    for (int i = 0; i < count; ++i) static_cast<CContact*>(list->Get(i))->WriteTo(&data);

    std::string temp = path + ".tmp";
    TKernelHandle h(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) RaiseLastOSError();
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(data.GetSize());
    BOOL ok = WriteFile(h.Get(), data.Memory(), size, &written, nullptr) && written == size && FlushFileBuffers(h.Get());
    DWORD error = GetLastError();
    h.Reset();
    if (!ok) {
        DeleteFileA(temp.c_str());
        RaiseLastOSError(error ? error : ERROR_WRITE_FAULT);
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileA(temp.c_str());
        RaiseLastOSError(error);
    }
}

std::string ContactsPath() { return Settings::ProgramFolder() + "contacts.tbl"; }

void LoadContacts(CMultiThreadList* list)
{
    try {
        ReadContactsFile(list, ContactsPath());
    } catch (const std::exception& e) {
        LogLine(LogPrefix::LoadContacts, e);
    }
}

void SaveContacts(CMultiThreadList* list)
{
    try {
        WriteContactsFile(list, ContactsPath());
    } catch (const std::exception& e) {
        LogLine(LogPrefix::SaveContacts, e);
    }
}

void FreeContacts(CMultiThreadList* list)
{
    TLockGuard<CMultiThreadList> hold(*list);
    while (list->GetCount() > 0) {
        auto* c = static_cast<CContact*>(list->Get(0));
        list->Delete(0);
        delete c;
    }
}
