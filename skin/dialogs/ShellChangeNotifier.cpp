#include "ShellChangeNotifier.h"
#include "ScopeGuard.h"
#include "Trace.h"

DWORD Spskinshellctrls::NotifyFiltersToFlags(TNotifyFilters Filters)
{
    DWORD bits = Filters.Bits();
    return (bits & 0x1F) | ((bits & 0x20) ? FILE_NOTIFY_CHANGE_SECURITY : 0);
}

namespace {

class TUnitLockScope {
public:
    TUnitLockScope() { EnterCriticalSection(&Spskinshellctrls::UnitLock()); }
    ~TUnitLockScope() { LeaveCriticalSection(&Spskinshellctrls::UnitLock()); }
    TUnitLockScope(const TUnitLockScope&) = delete;
    TUnitLockScope& operator=(const TUnitLockScope&) = delete;
};

} // namespace

TspShellChangeThread::TspShellChangeThread(std::shared_ptr<TShellChangeLink> Link)
    : TThread(true), FLink(std::move(Link))
{
    // Auto-reset: each wake-up is consumed by one pass of the loop, and any
    // number of them (option changes, the stop) can follow one another.
    FWakeEvent.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!FWakeEvent) RaiseLastOSError();
}

TspShellChangeThread::~TspShellChangeThread() = default;

bool TspShellChangeThread::SetDirectoryOptions(const std::string& Directory, bool WatchSubTree,
                                               DWORD NotifyOptionFlags)
{
    {
        TUnitLockScope lock;
        if (FGaveUp) return false;
        FDirectory = Directory;
        FWatchSubTree = WatchSubTree;
        FNotifyOptionFlags = NotifyOptionFlags;
        FOptionsChanged = true;
    }
    SetEvent(FWakeEvent.Get());
    return true;
}

void TspShellChangeThread::Terminate()
{
    TThread::Terminate();
    SetEvent(FWakeEvent.Get());
}

int TspShellChangeThread::ArmCount() const
{
    TUnitLockScope lock;
    return FArmCount;
}

void TspShellChangeThread::ArmLocked()
{
    FChangeNotification.Reset();
    HANDLE h = FindFirstChangeNotificationA(FDirectory.c_str(), FWatchSubTree ? TRUE : FALSE, FNotifyOptionFlags);
    FChangeNotification.Reset(h == INVALID_HANDLE_VALUE ? nullptr : h);
    FOptionsChanged = false;
    ++FArmCount;
}

void TspShellChangeThread::Deliver(const std::shared_ptr<TShellChangeLink>& Link)
{
    if (Link->Stopped || !Link->OnChange) return;
    // A copy: the handler may replace itself or free the notifier that holds it.
    TThreadMethod handler = Link->OnChange;
    ++Link->InHandler;
    TScopeExit done([&Link] { --Link->InHandler; });
    handler();
}

void TspShellChangeThread::Loop()
{
    {
        TUnitLockScope lock;
        ArmLocked();
        if (!FChangeNotification) return;
    }
    while (!Terminated()) {
        HANDLE waits[2] = {FChangeNotification.Get(), FWakeEvent.Get()};
        DWORD r = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (Terminated()) return;
        if (r == WAIT_OBJECT_0) {
            std::shared_ptr<TShellChangeLink> link = FLink;
            Synchronize([link] { Deliver(link); });
            if (Terminated()) return;
            FindNextChangeNotification(FChangeNotification.Get());
        } else if (r != WAIT_OBJECT_0 + 1) {
            return;
        }
        TUnitLockScope lock;
        if (FOptionsChanged) ArmLocked();
        if (!FChangeNotification) return;
    }
}

void TspShellChangeThread::Execute()
{
    try {
        Loop();
    } catch (...) {
        // A handler's exception was the GUI thread's to report; the worker just ends.
        Trace::Caught(Trace::Skin, "shell change handler");
    }
    TUnitLockScope lock;
    FGaveUp = true;
    FChangeNotification.Reset();
}

TspCustomShellChangeNotifier::TspCustomShellChangeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    Start();
}

TspCustomShellChangeNotifier::~TspCustomShellChangeNotifier()
{
    try {
        StopWorker();
    } catch (...) {
        Trace::Caught(Trace::Skin, "stopping a shell change notifier");
    }
}

void TspCustomShellChangeNotifier::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot)) return;
    FRoot = Value;
    Change();
}

void TspCustomShellChangeNotifier::SetWatchSubTree(bool Value)
{
    FWatchSubTree = Value;
    Change();
}

void TspCustomShellChangeNotifier::SetFilters(TNotifyFilters Value)
{
    FFilters = Value;
    Change();
}

void TspCustomShellChangeNotifier::SetOnChange(const TThreadMethod& Value)
{
    FOnChange = Value;
    if (FThread)
        FLink->OnChange = Value;
    else
        Start();
}

void TspCustomShellChangeNotifier::Change()
{
    if (!FThread) return;
    if (FThread->SetDirectoryOptions(FRoot, FWatchSubTree, Spskinshellctrls::NotifyFiltersToFlags(FFilters)))
        return;
    // The worker gave up on a folder it could not watch: a new one takes the new options.
    StopWorker();
    Start();
}

void TspCustomShellChangeNotifier::Start()
{
    if (!FOnChange || FThread) return;
    FLink = std::make_shared<TShellChangeLink>();
    FLink->OnChange = FOnChange;
    FThread.reset(new TspShellChangeThread(FLink));
    FThread->SetDirectoryOptions(FRoot, FWatchSubTree, Spskinshellctrls::NotifyFiltersToFlags(FFilters));
    FThread->Resume();
}

void TspCustomShellChangeNotifier::StopWorker()
{
    if (!FThread) return;
    std::shared_ptr<TShellChangeLink> link = std::move(FLink);
    TspShellChangeThread* worker = FThread.release();
    link->Stopped = true;
    if (link->InHandler > 0) {
        // Called from this worker's own handler: the worker waits for us inside
        // its synchronous call, so it cannot be joined. It sees the stop when the
        // handler returns and frees itself (it cannot end before that, so the
        // switch is read only after this).
        worker->FreeOnTerminate = true;
        worker->Terminate();
        return;
    }
    // Joining serves queued synchronous calls; this worker's are dropped (Stopped).
    worker->Terminate();
    worker->WaitFor();
    delete worker;
}
