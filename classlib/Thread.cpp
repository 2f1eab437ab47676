#include "Thread.h"
#include "Trace.h"
#include <deque>

DWORD MainThreadID = 0;

namespace {

struct SyncRecord {
    const std::function<void()>* Method;
    HANDLE Done;
    std::exception_ptr Error;
};

struct SyncQueue {
    CRITICAL_SECTION Lock;
    // Never closed: the queue lives as long as the process, and threads still
    // running at exit may signal it.
    HANDLE Event;
    std::deque<SyncRecord*> Items;
    HWND WakeWnd = nullptr;
    UINT WakeMsg = 0;
    SyncQueue()
    {
        InitializeCriticalSection(&Lock);
        Event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
};

SyncQueue& Queue()
{
    static SyncQueue q;
    return q;
}

bool OnMainThread() { return MainThreadID == 0 || GetCurrentThreadId() == MainThreadID; }

} // namespace

HANDLE SyncEventHandle() { return Queue().Event; }

void SetSyncWakeWindow(HWND Wnd, UINT Msg)
{
    SyncQueue& q = Queue();
    EnterCriticalSection(&q.Lock);
    q.WakeWnd = Wnd;
    q.WakeMsg = Msg;
    LeaveCriticalSection(&q.Lock);
}

bool CheckSynchronize(DWORD Timeout)
{
    if (!OnMainThread()) return false;
    SyncQueue& q = Queue();
    if (Timeout) WaitForSingleObject(q.Event, Timeout);
    // Only the calls queued now: calls that arrive while these run wait for the
    // next turn, so the message loop (timers, paint, input) runs in between
    // however fast other threads queue.
    std::deque<SyncRecord*> batch;
    EnterCriticalSection(&q.Lock);
    batch.swap(q.Items);
    LeaveCriticalSection(&q.Lock);
    for (SyncRecord* r : batch) {
        try {
            (*r->Method)();
        } catch (...) {
            r->Error = std::current_exception();
        }
        SetEvent(r->Done);
    }
    return !batch.empty();
}

int PendingSyncCalls()
{
    SyncQueue& q = Queue();
    EnterCriticalSection(&q.Lock);
    int n = static_cast<int>(q.Items.size());
    LeaveCriticalSection(&q.Lock);
    return n;
}

void SynchronizeCall(const std::function<void()>& Method)
{
    if (OnMainThread()) {
        Method();
        return;
    }
    SyncQueue& q = Queue();
    TKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!done) RaiseLastOSError();
    SyncRecord r{&Method, done.Get(), nullptr};
    EnterCriticalSection(&q.Lock);
    // One wake-up per batch: a queue that already holds calls has had its wake-up,
    // and the run it causes takes every call queued by then. A message per call
    // would flood the GUI thread's queue under many threads and keep its timers
    // (which come only when no posted message waits) from running.
    bool first = q.Items.empty();
    q.Items.push_back(&r);
    HWND wnd = q.WakeWnd;
    UINT msg = q.WakeMsg;
    LeaveCriticalSection(&q.Lock);
    if (first) {
        SetEvent(q.Event);
        if (wnd) PostMessageA(wnd, msg, 0, 0);
    }
    WaitForSingleObject(r.Done, INFINITE);
    if (r.Error) std::rethrow_exception(r.Error);
}

DWORD WaitServingSync(HANDLE h, DWORD Timeout)
{
    if (!OnMainThread()) return WaitForSingleObject(h, Timeout);
    DWORD start = GetTickCount();
    HANDLE hs[2] = {h, SyncEventHandle()};
    for (;;) {
        DWORD left = INFINITE;
        if (Timeout != INFINITE) {
            DWORD spent = GetTickCount() - start;
            if (spent >= Timeout) return WAIT_TIMEOUT;
            left = Timeout - spent;
        }
        // Sent messages are served too, so a thread blocked in SendMessage to one
        // of our windows cannot deadlock against this wait.
        DWORD r = MsgWaitForMultipleObjects(2, hs, FALSE, left, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return WAIT_OBJECT_0;
        if (r == WAIT_OBJECT_0 + 1) {
            CheckSynchronize();
        } else if (r == WAIT_OBJECT_0 + 2) {
            MSG m;
            PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
        } else if (r == WAIT_TIMEOUT) {
            return WAIT_TIMEOUT;
        } else {
            return r;
        }
    }
}

TThread::TThread(bool CreateSuspended, SIZE_T StackSize)
{
    (void)CreateSuspended;
    DWORD flags = CREATE_SUSPENDED | (StackSize ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0);
    FHandle.Reset(CreateThread(nullptr, StackSize, &TThread::ThreadProc, this, flags, &FThreadID));
    if (!FHandle) throw EThread("Thread creation error: " + SysErrorMessage(GetLastError()));
}

TThread::~TThread()
{
    if (FHandle) {
        if (!FFinished && GetCurrentThreadId() != FThreadID) {
            FTerminated = true;
            if (FSuspended) {
                // Never started: let the thread run out without calling Execute.
                FSuspended = false;
                ResumeThread(FHandle.Get());
            }
            WaitServingSync(FHandle.Get(), INFINITE);
        }
    }
}

DWORD WINAPI TThread::ThreadProc(LPVOID param)
{
    TThread* t = static_cast<TThread*>(param);
    if (!t->FTerminated || t->FStarted) {
        try {
            t->Execute();
        } catch (...) {
            t->FatalException = std::current_exception();
        }
        try {
            t->DoTerminate();
        } catch (...) {
            // The thread ends anyway; OnTerminate's failure has no one to go to.
            Trace::Caught(Trace::ClassLib, "thread termination");
        }
    }
    int rv = t->ReturnValue;
    bool freeIt = t->FreeOnTerminate && t->FStarted;
    t->FFinished = true;
    if (freeIt) {
        // The handle must not be waited on by the destructor of our own thread.
        delete t;
    }
    return static_cast<DWORD>(rv);
}

void TThread::DoTerminate()
{
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Resume()
{
    if (!FSuspended) return;
    FSuspended = false;
    FStarted = true;
    ResumeThread(FHandle.Get());
}

void TThread::Suspend()
{
    if (FSuspended) return;
    FSuspended = true;
    SuspendThread(FHandle.Get());
}

void TThread::Terminate() { FTerminated = true; }

DWORD TThread::WaitFor()
{
    if (GetCurrentThreadId() == FThreadID) throw EThread("A thread cannot wait for itself");
    HANDLE h = FHandle.Get();
    WaitServingSync(h, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(h, &code);
    return code;
}

void TThread::SetPriority(TThreadPriority p)
{
    static const int map[] = {THREAD_PRIORITY_IDLE, THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                              THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                              THREAD_PRIORITY_TIME_CRITICAL};
    SetThreadPriority(FHandle.Get(), map[p]);
}

bool TThread::SleepUnlessTerminated(DWORD ms)
{
    DWORD start = GetTickCount();
    while (!FTerminated) {
        DWORD spent = GetTickCount() - start;
        if (spent >= ms) return true;
        Sleep(std::min<DWORD>(10, ms - spent));
    }
    return false;
}
