// A pointer list with its own lock (contacts, a contact's connection threads).
#pragma once
#include "Classes.h"

class CMultiThreadList : public TList {
public:
    CMultiThreadList() { InitializeCriticalSection(&FSection); }
    // The section lives exactly as long as the list, so Lock/Unlock never need to
    // guess whether it was deleted: callers must not use a list being destroyed.
    ~CMultiThreadList() override { DeleteCriticalSection(&FSection); }
    void Lock() { EnterCriticalSection(&FSection); }
    void Unlock() { LeaveCriticalSection(&FSection); }
    int GetCount();
    int Add(void* item);
    void Delete(int index);
    void* Extract(void* item);
    virtual void Clear();
    void* Get(int index);         // under the lock; callers hold it around walks anyway
private:
    CRITICAL_SECTION FSection;
};
