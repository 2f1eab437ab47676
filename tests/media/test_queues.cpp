#include "test_gtest.h"
#include "MultiThreadList.h"
#include "PlayerBlocks.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <atomic>
#include <cstring>

namespace {

TEST(SyncFIFO, FullAtCapacityMinusOneAndWrapsInOrder)
{
    CSyncFIFO q(30);
    int items[100];
    for (int i = 0; i < 29; ++i) ASSERT_TRUE(q.Push(&items[i]));
    EXPECT_TRUE(q.IsFull());
    EXPECT_FALSE(q.Push(&items[29]));
    EXPECT_EQ(q.Pop(), &items[0]);
    EXPECT_TRUE(q.Push(&items[29]));
    // Drain and refill several times so the indexes wrap around the array.
    int next = 1, pushed = 30;
    for (int round = 0; round < 70; ++round) {
        EXPECT_EQ(q.Pop(), &items[next % 100]);
        next++;
        ASSERT_TRUE(q.Push(&items[pushed % 100]));
        pushed++;
    }
    EXPECT_EQ(q.GetCount(), 29);
    q.Clear();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(q.Pop(), nullptr);
}

TEST(SyncFIFO, PercentIsTruncatedIntegerShare)
{
    struct { int cap, count, pct; } cases[] = {{30, 0, 0}, {30, 15, 50}, {30, 16, 53}, {30, 29, 96}, {25, 24, 96},
                                                {3, 1, 33}, {7, 6, 85}};
    int dummy;
    for (auto& c : cases) {
        CSyncFIFO q(c.cap);
        for (int i = 0; i < c.count; ++i) q.Push(&dummy);
        EXPECT_EQ(q.GetPercent(), c.pct) << c.cap << "/" << c.count;
    }
}

TEST(FrameFIFO, OverflowDropsUntilKeyItemThatFindsRoom)
{
    CFrameFIFO q(25);
    char payload[16];
    for (int i = 0; i < 24; ++i) ASSERT_TRUE(q.PushFrame(payload, 16, 0));
    EXPECT_FALSE(q.PushFrame(payload, 16, 0));   // full: starts waiting
    EXPECT_FALSE(q.PushFrame(payload, 16, 1));   // key while still full: dropped too
    CFrameFIFO::FreeFrame(q.PopFrame());
    CFrameFIFO::FreeFrame(q.PopFrame());
    EXPECT_TRUE(q.PushFrame("x", 1, 0));         // dropped, reported as taken
    EXPECT_EQ(q.GetCount(), 22);
    EXPECT_TRUE(q.PushFrame("key", 3, 1));       // stored: the waiting ends
    EXPECT_TRUE(q.PushFrame("after", 5, 0));     // stored again
    EXPECT_EQ(q.GetCount(), 24);
    for (int i = 0; i < 22; ++i) CFrameFIFO::FreeFrame(q.PopFrame());
    CFrameItem* key = q.PopFrame();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->key, 1);
    EXPECT_EQ(std::string(static_cast<char*>(key->data), key->length), "key");
    CFrameFIFO::FreeFrame(key);
    q.FreeAll();
    EXPECT_TRUE(q.IsEmpty());
}

TEST(FrameFIFO, ItemsAreOwnedCopiesIncludingEmptyOnes)
{
    CFrameFIFO q(25);
    char buf[4] = {'a', 'b', 'c', 'd'};
    q.PushFrame(buf, 4, 0);
    q.PushFrame(buf, 0, 1);
    buf[0] = 'z';
    CFrameItem* a = q.PopFrame();
    EXPECT_EQ(memcmp(a->data, "abcd", 4), 0);
    CFrameItem* e = q.PopFrame();
    EXPECT_NE(e->data, nullptr);
    EXPECT_EQ(e->length, 0);
    CFrameFIFO::FreeFrame(a);
    CFrameFIFO::FreeFrame(e);
    CFrameFIFO::FreeFrame(nullptr);
}

// Two producers and one consumer, as on a sound connection: nothing lost or duplicated
// while the queue has room, and every stored item is released exactly once.
TEST(FrameFIFO, ConcurrentProducersAndConsumer)
{
    CFrameFIFO q(25);
    std::atomic<bool> stop{false};
    std::atomic<long> consumed{0};
    struct Producer : TThread {
        CFrameFIFO* Q; int Id;
        Producer(CFrameFIFO* q, int id) : Q(q), Id(id) {}
        void Execute() override
        {
            for (int i = 0; i < 2000; ++i) {
                int v[2] = {Id, i};
                while (Q->IsFull()) Sleep(0);
                Q->PushFrame(v, sizeof(v), 1);
            }
        }
    };
    struct Consumer : TThread {
        CFrameFIFO* Q; std::atomic<bool>* Stop; std::atomic<long>* N; int Last[2] = {-1, -1}; bool Ordered = true;
        void Execute() override
        {
            while (!*Stop || !Q->IsEmpty()) {
                CFrameItem* it = Q->PopFrame();
                if (!it) { Sleep(0); continue; }
                int* v = static_cast<int*>(it->data);
                if (v[1] <= Last[v[0]]) Ordered = false;
                Last[v[0]] = v[1];
                ++*N;
                CFrameFIFO::FreeFrame(it);
            }
        }
    } c;
    c.Q = &q; c.Stop = &stop; c.N = &consumed;
    Producer p0(&q, 0), p1(&q, 1);
    c.Resume(); p0.Resume(); p1.Resume();
    p0.WaitFor(); p1.WaitFor();
    stop = true;
    c.WaitFor();
    EXPECT_TRUE(c.Ordered);
    EXPECT_LE(consumed.load(), 4000);
    EXPECT_GT(consumed.load(), 0);
}

TEST(MultiThreadList, ExtractAndLockedWalk)
{
    CMultiThreadList l;
    int a, b;
    l.Add(&a);
    l.Add(&b);
    l.Add(&a);
    EXPECT_EQ(l.Extract(&a), &a);
    EXPECT_EQ(l.GetCount(), 2);
    EXPECT_EQ(l.Get(0), &b);
    int c;
    EXPECT_EQ(l.Extract(&c), nullptr);
    l.Lock();
    l.Lock();   // recursive
    EXPECT_EQ(l.TList::GetCount(), 2);
    l.Unlock();
    l.Unlock();
    l.Clear();
    EXPECT_EQ(l.GetCount(), 0);
}

TEST(PlayerBlocks, ExactSizeZeroFilled)
{
    for (size_t n : {1u, 7u, 4096u, 100000u}) {
        unsigned char* p = static_cast<unsigned char*>(HeapAllocZero(n));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(HeapBlockSize(p), n);
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(p[i], 0);
        HeapFreeBlock(p);
    }
}

} // namespace
