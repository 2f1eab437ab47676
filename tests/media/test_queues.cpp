#include "test_gtest.h"
#include "MultiThreadList.h"
#include "PlayerBlocks.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

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

// Two producers and one consumer, as on a sound connection: every item a push
// accepted is consumed exactly once and in each producer's order, and nothing
// that was refused turns up.
TEST(FrameFIFO, ConcurrentProducersAndConsumer)
{
    const int kPerProducer = 2000;
    CFrameFIFO q(25);
    std::atomic<bool> stop{false};
    struct Producer : TThread {
        CFrameFIFO* Q; int Id; long Accepted = 0; std::vector<char> Taken;
        Producer(CFrameFIFO* q, int id, int n) : Q(q), Id(id), Taken(n, 0) {}
        void Execute() override
        {
            for (int i = 0; i < static_cast<int>(Taken.size()); ++i) {
                int v[2] = {Id, i};
                while (Q->IsFull()) Sleep(0);
                // The other producer may fill the queue between the test and the push.
                if (Q->PushFrame(v, sizeof(v), 1)) {
                    Taken[i] = 1;
                    ++Accepted;
                }
            }
        }
    };
    struct Consumer : TThread {
        CFrameFIFO* Q; std::atomic<bool>* Stop; std::vector<char> Seen[2]; int Last[2] = {-1, -1};
        bool Ordered = true; bool WellFormed = true; long Consumed = 0;
        void Execute() override
        {
            while (!*Stop || !Q->IsEmpty()) {
                CFrameItem* it = Q->PopFrame();
                if (!it) { Sleep(0); continue; }
                int* v = static_cast<int*>(it->data);
                if (it->length != 2 * static_cast<int>(sizeof(int)) || v[0] < 0 || v[0] > 1 || v[1] < 0 ||
                    v[1] >= static_cast<int>(Seen[0].size())) {
                    WellFormed = false;
                } else {
                    if (v[1] <= Last[v[0]]) Ordered = false;
                    Last[v[0]] = v[1];
                    ++Seen[v[0]][v[1]];
                }
                ++Consumed;
                CFrameFIFO::FreeFrame(it);
            }
        }
    } c;
    c.Q = &q; c.Stop = &stop; c.Seen[0].assign(kPerProducer, 0); c.Seen[1].assign(kPerProducer, 0);
    Producer p0(&q, 0, kPerProducer), p1(&q, 1, kPerProducer);
    c.Resume(); p0.Resume(); p1.Resume();
    p0.WaitFor(); p1.WaitFor();
    stop = true;
    c.WaitFor();
    EXPECT_TRUE(c.Ordered);
    EXPECT_TRUE(c.WellFormed);
    EXPECT_EQ(c.Consumed, p0.Accepted + p1.Accepted);
    EXPECT_GT(p0.Accepted, 0);
    EXPECT_GT(p1.Accepted, 0);
    // Exactly the accepted items came out, each once.
    for (int i = 0; i < kPerProducer; ++i) {
        ASSERT_EQ(c.Seen[0][i], p0.Taken[i]) << "producer 0, item " << i;
        ASSERT_EQ(c.Seen[1][i], p1.Taken[i]) << "producer 1, item " << i;
    }
    EXPECT_TRUE(q.IsEmpty());
}

// A queue whose memory runs out after a given number of copies.
class TScarceFIFO : public CFrameFIFO {
public:
    TScarceFIFO(int32_t capacity, int copies) : CFrameFIFO(capacity), FLeft(copies) {}
    void Refill(int copies) { FLeft = copies; }
protected:
    void* AllocatePayload(size_t bytes) override
    {
        if (FLeft <= 0) return nullptr;
        --FLeft;
        return CFrameFIFO::AllocatePayload(bytes);
    }
private:
    int FLeft;
};

// A frame lost for want of memory breaks the stream like an overflow does: the
// queue waits for the next key item.
TEST(FrameFIFO, AFrameThatCannotBeCopiedMakesTheQueueWaitForAKey)
{
    TScarceFIFO q(25, 1);
    EXPECT_TRUE(q.PushFrame("key", 3, 1));
    EXPECT_FALSE(q.PushFrame("delta1", 6, 0));   // no memory: lost
    EXPECT_EQ(q.GetWaitKey(), 1);
    q.Refill(100);
    EXPECT_TRUE(q.PushFrame("delta2", 6, 0));    // dropped while waiting
    EXPECT_EQ(q.GetCount(), 1);
    EXPECT_TRUE(q.PushFrame("key2", 4, 1));      // ends the waiting
    EXPECT_EQ(q.GetWaitKey(), 0);
    EXPECT_TRUE(q.PushFrame("delta3", 6, 0));
    EXPECT_EQ(q.GetCount(), 3);
    q.FreeAll();
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
