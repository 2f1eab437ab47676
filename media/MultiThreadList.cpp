#include "MultiThreadList.h"
#include "LockGuard.h"

// Each operation holds the list's lock for its own duration, also when the
// list raises (an index out of range).

int CMultiThreadList::GetCount()
{
    TLockGuard<CMultiThreadList> hold(*this);
    return TList::GetCount();
}

int CMultiThreadList::Add(void* item)
{
    TLockGuard<CMultiThreadList> hold(*this);
    return TList::Add(item);
}

void CMultiThreadList::Delete(int index)
{
    TLockGuard<CMultiThreadList> hold(*this);
    TList::Delete(index);
}

void* CMultiThreadList::Extract(void* item)
{
    TLockGuard<CMultiThreadList> hold(*this);
    return TList::Extract(item);
}

void CMultiThreadList::Clear()
{
    TLockGuard<CMultiThreadList> hold(*this);
    TList::Clear();
}

void* CMultiThreadList::Get(int index)
{
    TLockGuard<CMultiThreadList> hold(*this);
    return TList::Get(index);
}
