#include "test_gtest.h"
#include "ShellChangeNotifier.h"
#include "TempTree.h"
#include "WaitUntil.h"
#include <memory>
#include <vector>

using namespace Spskinshellctrls;

namespace {

// A handle of the worker's thread of our own, to see it end after the object is gone.
HANDLE DupThread(TspShellChangeThread* t)
{
    HANDLE h = nullptr;
    DuplicateHandle(GetCurrentProcess(), t->Handle(), GetCurrentProcess(), &h, SYNCHRONIZE, FALSE, 0);
    return h;
}

bool Ended(HANDLE h) { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }

// Calls counted with the thread each ran on.
struct TCalls {
    std::vector<DWORD> Threads;
    TThreadMethod Handler()
    {
        return [this] { Threads.push_back(GetCurrentThreadId()); };
    }
};

std::unique_ptr<TspShellChangeNotifier> Watch(const std::string& dir, TCalls& calls)
{
    std::unique_ptr<TspShellChangeNotifier> n(new TspShellChangeNotifier(nullptr));
    n->SetWatchSubTree(false);
    n->SetRoot(dir);
    n->SetOnChange(calls.Handler());
    // Changes count from the moment the worker has armed its notification.
    TspShellChangeThread* w = n->Worker();
    WaitUntil([w] { return w->ArmCount() > 0; }, 10000);
    return n;
}

} // namespace

TEST(ShellChangeNotifier, FilterFlags)
{
    const struct { TNotifyFilters set; DWORD flags; } cases[] = {
        {{nfFileNameChange, nfDirNameChange}, 0x3},
        {{nfSecurityChange}, 0x100},
        {{nfAttributeChange, nfSizeChange, nfWriteChange}, 0x1C},
        {{}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(NotifyFiltersToFlags(c.set), static_cast<DWORD>(c.flags));
}

TEST(ShellChangeNotifier, NoHandlerNoThread)
{
    TspShellChangeNotifier n(nullptr);
    EXPECT_EQ(n.GetRoot(), "C:\\");
    EXPECT_TRUE(n.GetWatchSubTree());
    EXPECT_EQ(n.GetNotifyFilters(), (TNotifyFilters{nfFileNameChange, nfDirNameChange}));
    n.SetRoot("D:\\");
    n.SetWatchSubTree(false);
    EXPECT_EQ(n.Worker(), nullptr);
}

TEST(ShellChangeNotifier, ReportsANewFileOnTheGuiThreadAndStopsAtOnce)
{
    TTempTree tree;
    TCalls calls;
    auto n = Watch(tree.Root(), calls);
    ASSERT_NE(n->Worker(), nullptr);
    TTempTree::WriteFile(tree.Path("new.txt"), "x");
    ASSERT_TRUE(PumpUntil([&] { return !calls.Threads.empty(); }, 10000));
    for (DWORD id : calls.Threads) EXPECT_EQ(id, MainThreadID);

    // A folder that no longer changes: the stop wakes the worker, it is joined.
    PumpUntilIdle();
    HANDLE h = DupThread(n->Worker());
    n.reset();
    EXPECT_TRUE(Ended(h));
    CloseHandle(h);
}

TEST(ShellChangeNotifier, NewOptionsReachTheWorkerEachTime)
{
    TTempTree tree;
    TCalls calls;
    auto n = Watch(tree.Path("alpha"), calls);
    TspShellChangeThread* worker = n->Worker();
    ASSERT_TRUE(PumpUntil([&] { return worker->ArmCount() == 1; }, 10000));
    const char* folders[] = {"beta", "alpha", "beta\\gamma"};
    int arms = 1;
    for (const char* f : folders) {
        n->SetRoot(tree.Path(f));
        ++arms;
        ASSERT_TRUE(PumpUntil([&] { return worker->ArmCount() == arms; }, 10000)) << f;
        size_t before = calls.Threads.size();
        TTempTree::WriteFile(tree.Path(std::string(f) + "\\made.txt"), "x");
        ASSERT_TRUE(PumpUntil([&] { return calls.Threads.size() > before; }, 10000)) << f;
    }
    // Same value: still handed over.
    n->SetWatchSubTree(false);
    ++arms;
    ASSERT_TRUE(PumpUntil([&] { return worker->ArmCount() == arms; }, 10000));
    // Same folder in other letters: nothing.
    n->SetRoot(UpperCase(tree.Path("beta\\gamma")));
    EXPECT_EQ(n->Worker(), worker);
    HANDLE h = DupThread(worker);
    n.reset();
    EXPECT_TRUE(Ended(h));
    CloseHandle(h);
}

TEST(ShellChangeNotifier, HandlerThatFreesItsNotifier)
{
    TTempTree tree;
    TCalls calls;
    std::unique_ptr<TspShellChangeNotifier> n(new TspShellChangeNotifier(nullptr));
    n->SetWatchSubTree(false);
    n->SetRoot(tree.Root());
    int freed = 0;
    n->SetOnChange([&] {
        calls.Threads.push_back(GetCurrentThreadId());
        n.reset();   // the view replaces its notifier from the handler
        ++freed;
    });
    HANDLE h = DupThread(n->Worker());
    TspShellChangeThread* w = n->Worker();
    ASSERT_TRUE(WaitUntil([w] { return w->ArmCount() > 0; }, 10000));
    TTempTree::WriteFile(tree.Path("a.txt"), "x");
    ASSERT_TRUE(PumpUntil([&] { return freed == 1; }, 10000));
    EXPECT_EQ(n, nullptr);
    // The worker ends by itself without another call.
    EXPECT_TRUE(PumpUntil([&] { return Ended(h); }, 10000));
    TTempTree::WriteFile(tree.Path("b.txt"), "x");
    PumpUntilIdle();
    EXPECT_EQ(calls.Threads.size(), 1u);
    CloseHandle(h);
}

TEST(ShellChangeNotifier, QueuedCallNeverReachesAFreedView)
{
    TTempTree tree;
    TCalls calls;
    auto n = Watch(tree.Root(), calls);
    HANDLE h = DupThread(n->Worker());
    ResetEvent(SyncEventHandle());
    TTempTree::WriteFile(tree.Path("a.txt"), "x");
    // The worker has queued its call and waits for the GUI thread, which has not served it.
    ASSERT_EQ(WaitForSingleObject(SyncEventHandle(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    SetEvent(SyncEventHandle());   // the wait above took the signal that the call is queued
    n.reset();
    EXPECT_TRUE(Ended(h));
    EXPECT_TRUE(calls.Threads.empty());
    CloseHandle(h);
}

TEST(ShellChangeNotifier, UnwatchableFolder)
{
    TTempTree tree;
    TCalls calls;
    auto n = Watch(tree.Path("no such folder"), calls);
    TspShellChangeThread* worker = n->Worker();
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return worker->Finished(); }, 10000));
    // A folder that can be watched brings a new worker.
    n->SetRoot(tree.Root());
    ASSERT_NE(n->Worker(), nullptr);
    TspShellChangeThread* w = n->Worker();
    ASSERT_TRUE(WaitUntil([w] { return w->ArmCount() > 0; }, 10000));
    TTempTree::WriteFile(tree.Path("late.txt"), "x");
    EXPECT_TRUE(PumpUntil([&] { return !calls.Threads.empty(); }, 10000));
    n.reset();   // harmless
    TspShellChangeNotifier gone(nullptr);
    gone.SetRoot(tree.Path("missing too"));
    gone.SetOnChange(calls.Handler());
    PumpUntil([&] { return gone.Worker()->Finished(); }, 10000);
}
