#include "SyncObjs.h"

TEvent::TEvent(bool ManualReset, bool InitialState, const std::string& Name)
{
    FHandle.Reset(CreateEventA(nullptr, ManualReset, InitialState, Name.empty() ? nullptr : Name.c_str()));
    if (!FHandle) RaiseLastOSError();
}

TWaitResult TEvent::WaitFor(DWORD Timeout)
{
    switch (WaitForSingleObject(FHandle.Get(), Timeout)) {
    case WAIT_OBJECT_0: return wrSignaled;
    case WAIT_TIMEOUT: return wrTimeout;
    case WAIT_ABANDONED: return wrAbandoned;
    default: return wrError;
    }
}
