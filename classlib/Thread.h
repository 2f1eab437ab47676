// Threads of the class library, on CreateThread, with calls synchronised to the GUI thread.
#pragma once
#include "Classes.h"
#include "UniqueHandle.h"
#include <exception>

// The GUI thread: the thread that initialised the application object.
extern DWORD MainThreadID;

// Runs the queued synchronous calls of other threads; called by the GUI thread's
// message loops and while it waits for a thread. True when it ran at least one.
// It runs only the calls queued when it starts: calls queued meanwhile wait for
// the next turn of the message loop.
bool CheckSynchronize(DWORD Timeout = 0);
// The synchronous calls waiting for the GUI thread.
int PendingSyncCalls();
// Signalled when a synchronous call is queued into an empty queue (for waits on
// the GUI thread; the wake-up message is posted at the same moment).
HANDLE SyncEventHandle();
// Runs Method on the GUI thread and returns when it has run; on the GUI thread
// itself it runs at once. An exception raised by Method is raised again here.
void SynchronizeCall(const std::function<void()>& Method);
// Called by the application object: where to post a wake-up when a call is queued.
void SetSyncWakeWindow(HWND Wnd, UINT Msg);
// Waits on a handle from the GUI thread while serving synchronous calls.
DWORD WaitServingSync(HANDLE h, DWORD Timeout);

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A thread object. The OS thread is always created suspended: a derived
// constructor must finish before Execute may run, so callers start it with
// Resume() (or Start()) once the object is built.
class TThread : public TObject {
public:
    // StackSize: the stack's reservation in bytes (0: the program's default).
    explicit TThread(bool CreateSuspended = true, SIZE_T StackSize = 0);
    ~TThread() override;

    void Resume();
    void Start() { Resume(); }
    void Suspend();
    // Asks Execute to end; a thread that waits for work wakes itself here.
    virtual void Terminate();
    // Waits for the thread's end; on the GUI thread it serves synchronous calls meanwhile.
    DWORD WaitFor();

    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    bool Suspended() const { return FSuspended; }
    HANDLE Handle() const { return FHandle.Get(); }
    DWORD ThreadID() const { return FThreadID; }
    void SetPriority(TThreadPriority p);

    bool FreeOnTerminate = false;
    int ReturnValue = 0;
    TNotifyEvent OnTerminate;
    // The exception that ended Execute, if one did.
    std::exception_ptr FatalException;

protected:
    virtual void Execute() = 0;
    // Called on the GUI thread after Execute ends (raises OnTerminate).
    virtual void DoTerminate();
    void Synchronize(const std::function<void()>& Method) { SynchronizeCall(Method); }
    // Sleeps in small steps and returns early when the thread is asked to stop.
    bool SleepUnlessTerminated(DWORD ms);

private:
    static DWORD WINAPI ThreadProc(LPVOID param);
    TKernelHandle FHandle;
    DWORD FThreadID = 0;
    volatile bool FTerminated = false;
    volatile bool FFinished = false;
    bool FSuspended = true;
    bool FStarted = false;
};
