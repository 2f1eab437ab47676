// Streams: the abstract stream, streams over Win32 file handles, and memory.
#pragma once
#include "Classes.h"
#include "UniqueHandle.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// File modes of TFileStream, as the library names them.
enum : unsigned {
    fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040,
    fmCreate = 0xFFFF
};

class TStream : public TObject {
public:
    virtual long Read(void* Buffer, long Count) = 0;
    virtual long Write(const void* Buffer, long Count) = 0;
    virtual long long Seek(long long Offset, TSeekOrigin Origin) = 0;
    void ReadBuffer(void* Buffer, long Count);           // EReadError when short
    void WriteBuffer(const void* Buffer, long Count);    // EWriteError when short
    long long CopyFrom(TStream* Source, long long Count); // Count 0: the whole source
    long long GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(long long Pos) { Seek(Pos, soBeginning); }
    virtual long long GetSize();
    virtual void SetSize(long long NewSize) { (void)NewSize; }
};

class THandleStream : public TStream {
public:
    explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}
    long Read(void* Buffer, long Count) override;
    long Write(const void* Buffer, long Count) override;
    long long Seek(long long Offset, TSeekOrigin Origin) override;
    void SetSize(long long NewSize) override;
    HANDLE Handle() const { return FHandle; }
protected:
    HANDLE FHandle;
};

class TFileStream : public THandleStream {
public:
    // EFCreateError / EFOpenError when the file cannot be created or opened.
    TFileStream(const std::string& FileName, unsigned Mode);
    const std::string& FileName() const { return FFileName; }
private:
    std::string FFileName;
    TKernelHandle FFile;            // owns the handle the base class reads and writes
};

class TCustomMemoryStream : public TStream {
public:
    long Read(void* Buffer, long Count) override;
    long long Seek(long long Offset, TSeekOrigin Origin) override;
    void* Memory() { return FData.empty() ? nullptr : FData.data(); }
    void SaveToStream(TStream* Stream);
    void SaveToFile(const std::string& FileName);
protected:
    std::vector<char> FData;
    long long FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    long Write(const void* Buffer, long Count) override;
    void SetSize(long long NewSize) override;
    void Clear();
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const std::string& FileName);
};
