#include "Streams.h"
#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* Buffer, long Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, long Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

long long TStream::CopyFrom(TStream* Source, long long Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    long long done = 0;
    char buf[65536];
    while (done < Count) {
        long n = static_cast<long>(std::min<long long>(sizeof(buf), Count - done));
        Source->ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        done += n;
    }
    return done;
}

long long TStream::GetSize()
{
    long long pos = Seek(0, soCurrent);
    long long size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

long THandleStream::Read(void* Buffer, long Count)
{
    DWORD n = 0;
    if (!ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &n, nullptr)) return 0;
    return static_cast<long>(n);
}

long THandleStream::Write(const void* Buffer, long Count)
{
    DWORD n = 0;
    if (!WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &n, nullptr)) return 0;
    return static_cast<long>(n);
}

long long THandleStream::Seek(long long Offset, TSeekOrigin Origin)
{
    LARGE_INTEGER d, r;
    d.QuadPart = Offset;
    if (!SetFilePointerEx(FHandle, d, &r, static_cast<DWORD>(Origin))) return -1;
    return r.QuadPart;
}

void THandleStream::SetSize(long long NewSize)
{
    Seek(NewSize, soBeginning);
    if (!SetEndOfFile(FHandle)) RaiseLastOSError();
}

TFileStream::TFileStream(const std::string& FileName, unsigned Mode)
    : THandleStream(INVALID_HANDLE_VALUE), FFileName(FileName)
{
    if (Mode == fmCreate) {
        FHandle = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(GetLastError()));
        FFile.Reset(FHandle);
        return;
    }
    static const DWORD access[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    DWORD share;
    switch (Mode & 0xF0) {
    case fmShareExclusive: share = 0; break;
    case fmShareDenyWrite: share = FILE_SHARE_READ; break;
    case fmShareDenyRead: share = FILE_SHARE_WRITE; break;
    default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    }
    FHandle = CreateFileA(FileName.c_str(), access[std::min(Mode & 3u, 2u)], share, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + SysErrorMessage(GetLastError()));
    FFile.Reset(FHandle);
}

long TCustomMemoryStream::Read(void* Buffer, long Count)
{
    if (Count <= 0 || FPosition >= static_cast<long long>(FData.size())) return 0;
    long n = static_cast<long>(std::min<long long>(Count, FData.size() - FPosition));
    memcpy(Buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

long long TCustomMemoryStream::Seek(long long Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = static_cast<long long>(FData.size()) + Offset; break;
    }
    if (FPosition < 0) FPosition = 0;
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<long>(FData.size()));
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName)
{
    TFileStream f(FileName, fmCreate);
    SaveToStream(&f);
}

long TMemoryStream::Write(const void* Buffer, long Count)
{
    if (Count <= 0) return 0;
    long long end = FPosition + Count;
    if (end > static_cast<long long>(FData.size())) FData.resize(static_cast<size_t>(end));
    memcpy(FData.data() + FPosition, Buffer, Count);
    FPosition = end;
    return Count;
}

void TMemoryStream::SetSize(long long NewSize)
{
    FData.resize(static_cast<size_t>(NewSize));
    if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    long long n = Stream->GetSize();
    FData.resize(static_cast<size_t>(n));
    if (n) Stream->ReadBuffer(FData.data(), static_cast<long>(n));
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}
