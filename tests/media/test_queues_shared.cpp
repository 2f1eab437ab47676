#include "test_gtest.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <string>
#include <vector>

namespace {

// A shared packet follows the queue's rule exactly like a copied one: full queues
// refuse it, a waiting queue drops it unless it is a key packet, and the payload
// lives until the last queue's taker frees it.
TEST(FrameFIFO, SharedPacketsFollowTheDropRuleAndLiveUntilTheLastTaker)
{
    CFrameFIFO full(3), open(3);
    CSharedPacket* filler = CSharedPacket::Create("f", 1);
    ASSERT_TRUE(full.PushShared(filler, 0));
    ASSERT_TRUE(full.PushShared(filler, 0));
    filler->Release();
    struct Case {
        const char* payload;
        uint8_t key;
        bool fullTakes;    // result of the push into the full queue
        int openCount;     // items in the open queue afterwards
    } cases[] = {
        {"delta", 0, false, 1},
        {"key", 1, false, 2},
    };
    for (auto& c : cases) {
        CSharedPacket* p = CSharedPacket::Create(c.payload, static_cast<int32_t>(strlen(c.payload)));
        EXPECT_EQ(full.PushShared(p, c.key), c.fullTakes) << c.payload;
        EXPECT_TRUE(open.PushShared(p, c.key));
        p->Release();   // the fan-out's own reference
        EXPECT_EQ(open.GetCount(), c.openCount) << c.payload;
    }
    EXPECT_EQ(full.GetWaitKey(), 1);
    // Room again: a delta is still dropped, a key packet ends the waiting.
    full.FreeAll();
    CSharedPacket* delta = CSharedPacket::Create("d", 1);
    EXPECT_TRUE(full.PushShared(delta, 0));
    EXPECT_EQ(full.GetCount(), 0);
    EXPECT_TRUE(full.PushShared(delta, 1));
    EXPECT_EQ(full.GetCount(), 1);
    delta->Release();
    full.FreeAll();
    // The open queue's items still hold their payloads.
    for (const char* want : {"delta", "key"}) {
        CFrameItem* item = open.PopFrame();
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(std::string(static_cast<char*>(item->data), item->length), want);
        CFrameFIFO::FreeFrame(item);
    }
}

// Waits for the producer's push, then is woken for good by Wake.
class Taker : public TThread {
public:
    explicit Taker(CFrameFIFO* Q) : TThread(true), FQ(Q) {}
    std::vector<std::string> Got;
    bool WokenEmpty = false;

protected:
    void Execute() override
    {
        while (Got.size() < 3) {
            if (!FQ->WaitFrame(10000)) return;
            while (CFrameItem* item = FQ->PopFrame()) {
                Got.emplace_back(static_cast<char*>(item->data), item->length);
                CFrameFIFO::FreeFrame(item);
            }
        }
        WokenEmpty = FQ->WaitFrame(10000) && FQ->IsEmpty();
    }

private:
    CFrameFIFO* FQ;
};

TEST(FrameFIFO, WaitFrameEndsOnAPushAndOnWake)
{
    CFrameFIFO q(25);
    EXPECT_FALSE(q.WaitFrame(1));   // empty and not woken: the time runs out
    Taker t(&q);
    t.Resume();
    for (const char* s : {"a", "bb", "ccc"}) {
        Sleep(20);
        q.PushFrame(s, static_cast<int32_t>(strlen(s)), 1);
    }
    Sleep(20);
    q.Wake();
    t.WaitFor();
    EXPECT_EQ(t.Got, (std::vector<std::string>{"a", "bb", "ccc"}));
    EXPECT_TRUE(t.WokenEmpty);
}

} // namespace
