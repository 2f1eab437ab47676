#include "test_gtest.h"
#include "Classes.h"
#include <vector>

namespace {

// Records the notifications it hears and forgets a referenced component when it goes.
struct Probe : TComponent {
    explicit Probe(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), Log(log) {}
    ~Probe() override { if (Log) Log->push_back("free " + GetName()); }
    std::vector<std::string>* Log;
    TComponent* Ref = nullptr;
    void SetRef(TComponent* c)
    {
        Ref = c;
        if (c) c->FreeNotification(this);
    }
protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (Log) Log->push_back(GetName() + (op == opInsert ? " +" : " -") + (c ? c->GetName() : "?"));
        if (op == opRemove && c == Ref) Ref = nullptr;
    }
};

TEST(Component, OwnerFreesOwnedLastFirstAndSiblingsHearRemoval)
{
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, &log);
    owner->SetName("owner");
    auto* a = new Probe(owner, &log);
    a->SetName("a");
    auto* b = new Probe(owner, &log);
    b->SetName("b");
    EXPECT_EQ(owner->GetComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("B"), b);
    EXPECT_EQ(b->GetComponentIndex(), 1);
    log.clear();
    delete owner;
    // The owner's own destructor body runs first; then the owned go, last created first.
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "free owner");
    auto posB = std::find(log.begin(), log.end(), "free b");
    auto posA = std::find(log.begin(), log.end(), "free a");
    EXPECT_LT(posB, posA);
}

TEST(Component, FreeNotificationClearsReferencesInEitherOrder)
{
    TComponent root(nullptr);
    auto* holder = new Probe(&root);
    auto* target = new Probe(&root);
    holder->SetRef(target);
    delete target;
    EXPECT_EQ(holder->Ref, nullptr);

    auto* target2 = new Probe(&root);
    holder->SetRef(target2);
    delete holder;   // the target must not notify a freed holder later
    delete target2;
    EXPECT_EQ(root.GetComponentCount(), 0);
}

TEST(Component, DuplicateNameUnderOneOwnerIsRefused)
{
    TComponent root(nullptr);
    auto* a = new TComponent(&root);
    a->SetName("Timer1");
    auto* b = new TComponent(&root);
    EXPECT_THROW(b->SetName("timer1"), EComponentError);
    b->SetName("Timer2");
    EXPECT_EQ(root.FindComponent("Timer2"), b);
}

TEST(List, ExtractRemovesFirstOccurrenceOnly)
{
    TList l;
    int x, y;
    l.Add(&x);
    l.Add(&y);
    l.Add(&x);
    EXPECT_EQ(l.Extract(&x), &x);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l[0], &y);
    EXPECT_EQ(l[1], &x);
    int z;
    EXPECT_EQ(l.Extract(&z), nullptr);
    EXPECT_THROW(l.Get(5), EListError);
}

} // namespace
