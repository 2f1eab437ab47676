#include "test_gtest.h"
#include "Forms.h"
#include "WaitUntil.h"
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A worker that calls the GUI thread N times through Synchronize.
struct SyncWorker : TThread {
    SyncWorker(int n, std::atomic<int>* counter) : N(n), Counter(counter) {}
    int N;
    std::atomic<int>* Counter;
    std::vector<DWORD> RanOn;
    void Execute() override
    {
        for (int i = 0; i < N && !Terminated(); ++i)
            Synchronize([this] {
                RanOn.push_back(GetCurrentThreadId());
                ++*Counter;
            });
    }
};

TEST(Thread, SynchronizeRunsOnGuiThreadWhileItWaitsForThreads)
{
    std::atomic<int> counter{0};
    std::vector<std::unique_ptr<SyncWorker>> ws;
    for (int i = 0; i < 8; ++i) ws.emplace_back(new SyncWorker(50, &counter));
    for (auto& w : ws) w->Resume();
    for (auto& w : ws) w->WaitFor();   // must not deadlock: the wait serves their calls
    EXPECT_EQ(counter.load(), 400);
    for (auto& w : ws)
        for (DWORD id : w->RanOn) ASSERT_EQ(id, MainThreadID);
}

TEST(Thread, SynchronizeServedInsideModalLoop)
{
    // A message box's modal loop must serve queued calls; the last call closes the box.
    std::atomic<int> counter{0};
    struct Closer : SyncWorker {
        using SyncWorker::SyncWorker;
        void Execute() override
        {
            SyncWorker::Execute();
            Synchronize([] {
                HWND box = FindWindowA(nullptr, "modal-sync-test");
                if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
            });
        }
    };
    Closer w(20, &counter);
    SetTimer(nullptr, 0, 50, nullptr);
    w.Resume();
    int r = MessageBoxA(nullptr, "waiting", "modal-sync-test", MB_OK);
    (void)r;
    w.WaitFor();
    EXPECT_EQ(counter.load(), 20);
}

TEST(Thread, ExceptionInSynchronizedCallReachesCaller)
{
    struct Thrower : TThread {
        bool Caught = false;
        void Execute() override
        {
            try {
                Synchronize([] { throw EConvertError("bad"); });
            } catch (const EConvertError&) {
                Caught = true;
            }
        }
    } t;
    t.Resume();
    t.WaitFor();
    EXPECT_TRUE(t.Caught);
}

TEST(Thread, TerminateAndFreeOnTerminate)
{
    static std::atomic<int> destroyed{0};
    static std::atomic<bool> running{false};
    struct Looper : TThread {
        ~Looper() override { ++destroyed; }
        void Execute() override
        {
            running = true;
            while (!Terminated()) Sleep(5);
        }
    };
    auto* t = new Looper;
    t->Resume();
    // Terminated while it runs, not before it started.
    ASSERT_TRUE(WaitUntil([] { return running.load(); }, 5000));
    t->Terminate();
    t->WaitFor();
    EXPECT_TRUE(t->Finished());
    delete t;
    EXPECT_EQ(destroyed.load(), 1);

    // Never started: destruction must not run Execute nor hang.
    delete new Looper;
    EXPECT_EQ(destroyed.load(), 2);

    TKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    struct SelfFree : TThread {
        HANDLE Done;
        explicit SelfFree(HANDLE d) : Done(d) { FreeOnTerminate = true; }
        ~SelfFree() override { SetEvent(Done); }
        void Execute() override {}
    };
    (new SelfFree(done.Get()))->Resume();
    EXPECT_EQ(WaitForSingleObject(done.Get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
}

// A worker that makes one synchronous call and notes that it ran.
struct OneCall : TThread {
    std::function<void()> Inside;
    std::atomic<bool> Ran{false};
    void Execute() override
    {
        Synchronize([this] {
            Ran = true;
            if (Inside) Inside();
        });
    }
};

TEST(Thread, CheckSynchronizeRunsOnlyTheCallsQueuedWhenItStarts)
{
    // The first call, while it runs, lets a second thread queue its call: that one
    // waits for the next turn, so a stream of calls cannot hold the GUI thread.
    OneCall late;
    OneCall first;
    first.Inside = [&] {
        late.Resume();
        ASSERT_TRUE(WaitUntil([] { return PendingSyncCalls() == 1; }, 5000));
    };
    first.Resume();
    ASSERT_TRUE(WaitUntil([] { return PendingSyncCalls() == 1; }, 5000));
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_TRUE(first.Ran.load());
    EXPECT_FALSE(late.Ran.load());
    EXPECT_EQ(PendingSyncCalls(), 1);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_TRUE(late.Ran.load());
    EXPECT_FALSE(CheckSynchronize());
    first.WaitFor();
    late.WaitFor();
}

TEST(Thread, OneWakeUpMessageWhenTheQueueStopsBeingEmpty)
{
    // A window of its own receives the wake-ups, counted while nothing is served.
    HWND wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    const UINT wake = WM_APP + 7;
    auto countWakeUps = [&] {
        int n = 0;
        MSG m;
        while (PeekMessageA(&m, wnd, wake, wake, PM_REMOVE)) ++n;
        return n;
    };
    SetSyncWakeWindow(wnd, wake);
    struct Round {
        int Calls;
        int WakeUps;
    };
    // Five threads queue into an empty queue: one wake-up; then one more thread
    // into the emptied queue: one more. The wake-ups are counted once every
    // thread has returned from its call, so every post it made has arrived.
    for (Round round : {Round{5, 1}, Round{1, 1}}) {
        std::vector<std::unique_ptr<OneCall>> ws;
        for (int i = 0; i < round.Calls; ++i) ws.emplace_back(new OneCall);
        for (auto& w : ws) w->Resume();
        const int calls = round.Calls;
        ASSERT_TRUE(WaitUntil([&] { return PendingSyncCalls() == calls; }, 5000));
        EXPECT_TRUE(CheckSynchronize());
        for (auto& w : ws) w->WaitFor();
        for (auto& w : ws) EXPECT_TRUE(w->Ran.load());
        EXPECT_EQ(countWakeUps(), round.WakeUps);
    }
    EXPECT_EQ(countWakeUps(), 0);
    SetSyncWakeWindow(Application->Handle(), CM_SYNCHRONIZE);
    DestroyWindow(wnd);
}

} // namespace
