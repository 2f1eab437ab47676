#include "MultiThreadList.h"

int CMultiThreadList::GetCount()
{
    Lock();
    int n = TList::GetCount();
    Unlock();
    return n;
}

int CMultiThreadList::Add(void* item)
{
    Lock();
    int i = TList::Add(item);
    Unlock();
    return i;
}

void CMultiThreadList::Delete(int index)
{
    Lock();
    try {
        TList::Delete(index);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

void* CMultiThreadList::Extract(void* item)
{
    Lock();
    void* r = TList::Extract(item);
    Unlock();
    return r;
}

void CMultiThreadList::Clear()
{
    Lock();
    TList::Clear();
    Unlock();
}

void* CMultiThreadList::Get(int index)
{
    Lock();
    void* r = nullptr;
    try {
        r = TList::Get(index);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    return r;
}
