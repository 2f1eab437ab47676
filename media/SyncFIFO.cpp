#include "SyncFIFO.h"
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

CSyncFIFO::CSyncFIFO(int32_t capacity) : FCapacity(capacity < 2 ? 2 : capacity)
{
    FSlots = new void*[FCapacity];
    Clear();
}

CSyncFIFO::~CSyncFIFO()
{
    Clear();
    delete[] FSlots;
}

void CSyncFIFO::Clear()
{
    TLockGuard<CSyncFIFO> hold(*this);
    for (int32_t i = 0; i < FCapacity; ++i) FSlots[i] = nullptr;
    FWrite = FRead = FCount = 0;
}

int32_t CSyncFIFO::GetCount()
{
    TLockGuard<CSyncFIFO> hold(*this);
    return FCount;
}

int32_t CSyncFIFO::GetSize() { return FCapacity; }

bool CSyncFIFO::IsFull()
{
    TLockGuard<CSyncFIFO> hold(*this);
    return FCount == FCapacity - 1;
}

bool CSyncFIFO::IsEmpty()
{
    TLockGuard<CSyncFIFO> hold(*this);
    return FCount == 0;
}

bool CSyncFIFO::Push(void* item)
{
    TLockGuard<CSyncFIFO> hold(*this);
    if (IsFull()) return false;
    FSlots[FWrite] = item;
    FWrite = (FWrite + 1) % FCapacity;
    ++FCount;
    return true;
}

void* CSyncFIFO::Pop()
{
    TLockGuard<CSyncFIFO> hold(*this);
    if (FCount == 0) return nullptr;
    void* item = FSlots[FRead];
    FSlots[FRead] = nullptr;
    FRead = (FRead + 1) % FCapacity;
    --FCount;
    return item;
}

int32_t CSyncFIFO::GetPercent()
{
    TLockGuard<CSyncFIFO> hold(*this);
    // Integer arithmetic: the truncated percentage, exact for every capacity.
    return static_cast<int32_t>(static_cast<int64_t>(FCount) * 100 / FCapacity);
}

void CFrameFIFO::SetWaitKey(uint8_t value)
{
    TLockGuard<CSyncFIFO> hold(*this);
    FWaitKey = value;
}

uint8_t CFrameFIFO::GetWaitKey()
{
    TLockGuard<CSyncFIFO> hold(*this);
    return FWaitKey;
}

bool CFrameFIFO::PushFrame(const void* data, int32_t length, uint8_t key)
{
    TLockGuard<CSyncFIFO> hold(*this);
    if (IsFull()) {
        FWaitKey = 1;
        return false;
    }
    if (FWaitKey && !key) return true;
    if (length < 0) length = 0;
    // A frame that cannot be copied is lost like one that found the queue full:
    // what follows it would be decoded against a picture the taker never gets.
    CFrameItem* item = new (std::nothrow) CFrameItem;
    if (!item) {
        FWaitKey = 1;
        return false;
    }
    // malloc(0) may return null; keep a real (empty) allocation so takers can free it alike.
    item->data = AllocatePayload(length > 0 ? static_cast<size_t>(length) : 1);
    if (!item->data) {
        delete item;
        FWaitKey = 1;
        return false;
    }
    if (length > 0) memcpy(item->data, data, static_cast<size_t>(length));
    item->length = length;
    return Store(item, key);
}

bool CFrameFIFO::PushShared(CSharedPacket* packet, uint8_t key)
{
    TLockGuard<CSyncFIFO> hold(*this);
    if (IsFull()) {
        FWaitKey = 1;
        return false;
    }
    if (FWaitKey && !key) return true;
    CFrameItem* item = new (std::nothrow) CFrameItem;
    if (!item) {
        FWaitKey = 1;
        return false;
    }
    packet->AddRef();
    item->shared = packet;
    item->data = packet->Data();
    item->length = packet->Length();
    return Store(item, key);
}

bool CFrameFIFO::Store(CFrameItem* item, uint8_t key)
{
    item->key = key;
    Push(item);
    FWaitKey = 0;
    WakeConditionVariable(&FReady);
    return true;
}

CFrameFIFO::CFrameFIFO(int32_t capacity) : CSyncFIFO(capacity) { InitializeConditionVariable(&FReady); }

bool CFrameFIFO::WaitFrame(DWORD ms)
{
    // Entered once here, so the condition variable's release of the lock is complete.
    EnterCriticalSection(Section());
    if (!FWoken && GetCount() == 0) SleepConditionVariableCS(&FReady, Section(), ms);
    bool ready = FWoken || GetCount() > 0;
    LeaveCriticalSection(Section());
    return ready;
}

void CFrameFIFO::Wake()
{
    TLockGuard<CSyncFIFO> hold(*this);
    FWoken = true;
    WakeAllConditionVariable(&FReady);
}

CSharedPacket* CSharedPacket::Create(const void* data, int32_t length)
{
    if (length < 0) length = 0;
    void* block = malloc(offsetof(CSharedPacket, FData) + static_cast<size_t>(length) + 1);
    if (!block) return nullptr;
    CSharedPacket* p = new (block) CSharedPacket;
    p->FLength = length;
    if (length > 0) memcpy(p->FData, data, static_cast<size_t>(length));
    return p;
}

void CSharedPacket::Release()
{
    if (InterlockedDecrement(&FRefs) == 0) {
        this->~CSharedPacket();
        free(this);
    }
}

void* CFrameFIFO::AllocatePayload(size_t bytes)
{
    return malloc(bytes);
}

void CFrameFIFO::FreeFrame(CFrameItem* item)
{
    if (!item) return;
    if (item->shared)
        item->shared->Release();
    else if (item->data)
        free(item->data);
    delete item;
}

void CFrameFIFO::FreeAll()
{
    while (CFrameItem* item = PopFrame()) FreeFrame(item);
}
