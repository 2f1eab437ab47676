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

// One queued packet: a private malloc copy of the payload.
struct CFrameItem {
    void* data;
    int32_t length;
    uint8_t key;
};

// A connection's packet queue: copies what it accepts; after an overflow it
// drops everything up to the next key item that finds room.
class CFrameFIFO : public CSyncFIFO {
public:
    explicit CFrameFIFO(int32_t capacity) : CSyncFIFO(capacity) {}
    void SetWaitKey(uint8_t value);
    uint8_t GetWaitKey();
    bool PushFrame(const void* data, int32_t length, uint8_t key);
    CFrameItem* PopFrame() { return static_cast<CFrameItem*>(Pop()); }
    static void FreeFrame(CFrameItem* item);
    // Pops and frees every item left (the owner does this before destroying the queue).
    void FreeAll();
protected:
    // The copy of a payload; null when memory runs out.
    virtual void* AllocatePayload(size_t bytes);
private:
    uint8_t FWaitKey = 0;
};
