// Bounded rings of pointers under a lock, and the per-connection packet queue.
#pragma once
#include "MultiThreadClass.h"
#include <cstddef>
#include <cstdint>

// A ring of untyped pointers; full at capacity - 1 items. It owns its slots, never the items.
class CSyncFIFO : public CMultiThreadClass {
public:
    explicit CSyncFIFO(int32_t capacity);
    ~CSyncFIFO() override;
    void Clear();                 // forgets the items without releasing them
    int32_t GetCount();
    int32_t GetSize();
    bool IsFull();
    bool IsEmpty();
    bool Push(void* item);        // false when full: the item stays the caller's
    void* Pop();                  // null when empty
    int32_t GetPercent();         // count * 100 / capacity, truncated
private:
    int32_t FWrite = 0;
    int32_t FRead = 0;
    int32_t FCount = 0;
    int32_t FCapacity;
    void** FSlots;
};

// One payload shared by the queues of every connection of one kind: copied once
// per fan-out instead of once per connection, freed by its last taker.
class CSharedPacket {
public:
    // Null when memory runs out.
    static CSharedPacket* Create(const void* data, int32_t length);
    void AddRef() { InterlockedIncrement(&FRefs); }
    void Release();
    // Release of a possibly null packet, for holders.
    static void ReleaseRef(CSharedPacket* p)
    {
        if (p) p->Release();
    }
    void* Data() { return FData; }
    int32_t Length() const { return FLength; }
private:
    CSharedPacket() = default;
    LONG FRefs = 1;
    int32_t FLength = 0;
    char FData[1];
};

// One queued packet: a private malloc copy of the payload, or a reference to a
// shared one (then data points into it).
struct CFrameItem {
    void* data;
    int32_t length;
    uint8_t key;
    CSharedPacket* shared = nullptr;
};

// A connection's packet queue: copies what it accepts; after an overflow it
// drops everything up to the next key item that finds room.
class CFrameFIFO : public CSyncFIFO {
public:
    explicit CFrameFIFO(int32_t capacity);
    void SetWaitKey(uint8_t value);
    uint8_t GetWaitKey();
    bool PushFrame(const void* data, int32_t length, uint8_t key);
    // The same rule as PushFrame, but the queue keeps a reference to the caller's
    // packet instead of a copy.
    bool PushShared(CSharedPacket* packet, uint8_t key);
    CFrameItem* PopFrame() { return static_cast<CFrameItem*>(Pop()); }
    // Waits until an item is queued, Wake is called or ms pass; true unless the
    // time ran out with the queue empty. A condition variable: no kernel object,
    // so neither the wait nor the push's signal costs a system round trip.
    bool WaitFrame(DWORD ms);
    // Ends the current and the next WaitFrame at once (the taker is asked to stop).
    void Wake();
    static void FreeFrame(CFrameItem* item);
    // Pops and frees every item left (the owner does this before destroying the queue).
    void FreeAll();
protected:
    // The copy of a payload; null when memory runs out.
    virtual void* AllocatePayload(size_t bytes);
private:
    // Full test, wait-key rule and store, under the lock; item is taken or freed.
    bool Store(CFrameItem* item, uint8_t key);
    uint8_t FWaitKey = 0;
    bool FWoken = false;
    CONDITION_VARIABLE FReady;
};
