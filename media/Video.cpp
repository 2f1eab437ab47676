#include "Video.h"
#include <cstdlib>
#include <cstring>

namespace {

bool ReadExactly(HANDLE file, void* buffer, DWORD bytes)
{
    DWORD done = 0;
    return ReadFile(file, buffer, bytes, &done, nullptr) && done == bytes;
}

} // namespace

CVideo::CVideo(const std::string& fileName, bool write)
{
    TLockGuard<CMultiThreadClass> hold(*this);
    if (write)
        FFile.Reset(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    else
        FFile.Reset(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

CVideo::~CVideo()
{
    TLockGuard<CMultiThreadClass> hold(*this);
    FFile.Reset();
}

bool CVideo::Write(int32_t length, const void* payload, int32_t kind, uint8_t flag)
{
    if (length < 0 || length > kRecordMaxPayload || (length > 0 && !payload)) return false;
    if (kind != kRecordVideo && kind != kRecordAudio) return false;
    uint32_t word = static_cast<uint32_t>(length) | (static_cast<uint32_t>(flag) << 16) |
                    (static_cast<uint32_t>(kind) << 24);
    uint8_t header[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                         static_cast<uint8_t>(word >> 24)};
    TLockGuard<CMultiThreadClass> hold(*this);
    if (!IsOpen()) return false;
    DWORD done = 0;
    bool ok = WriteFile(FFile.Get(), header, sizeof header, &done, nullptr) && done == sizeof header;
    if (ok && length > 0)
        ok = WriteFile(FFile.Get(), payload, static_cast<DWORD>(length), &done, nullptr) && done == static_cast<DWORD>(length);
    return ok;
}

bool CVideo::Read(int32_t& length, void*& payload, int32_t& kind, uint8_t& flag)
{
    TLockGuard<CMultiThreadClass> hold(*this);
    if (!IsOpen()) return false;
    if (ReadRecord(length, payload, kind, flag)) return true;
    // The end of the recording: once more from its start, so a steady reader loops.
    if (SetFilePointer(FFile.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    return ReadRecord(length, payload, kind, flag);
}

bool CVideo::ReadRecord(int32_t& length, void*& payload, int32_t& kind, uint8_t& flag)
{
    uint8_t header[4];
    if (!ReadExactly(FFile.Get(), header, sizeof header)) return false;
    uint32_t word = header[0] | (header[1] << 8) | (header[2] << 16) | (static_cast<uint32_t>(header[3]) << 24);
    int32_t recordLength = static_cast<int32_t>(word & 0xFFFF);
    int32_t recordKind = static_cast<int32_t>(word >> 24);
    if (recordKind != kRecordVideo && recordKind != kRecordAudio) return false;
    // One byte at least, so an empty payload is still a block the caller can free.
    void* data = std::malloc(recordLength > 0 ? static_cast<size_t>(recordLength) : 1);
    if (!data) return false;
    if (recordLength > 0 && !ReadExactly(FFile.Get(), data, static_cast<DWORD>(recordLength))) {
        std::free(data);
        return false;
    }
    length = recordLength;
    payload = data;
    kind = recordKind;
    flag = static_cast<uint8_t>((word >> 16) & 1);
    return true;
}
