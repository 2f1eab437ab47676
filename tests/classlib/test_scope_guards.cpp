#include "test_gtest.h"
#include "ScopeGuard.h"
#include <stdexcept>

namespace {

// Each guard leaves a block the same way whether the block returns or throws.
enum TLeave { ByReturn, ByException };

void Leave(TLeave How)
{
    if (How == ByException) throw std::runtime_error("leaving");
}

template <class F> void RunBlock(TLeave How, F Block)
{
    try {
        Block();
    } catch (const std::runtime_error&) {
        EXPECT_EQ(How, ByException);
        return;
    }
    EXPECT_EQ(How, ByReturn);
}

class ScopeGuards : public ::testing::TestWithParam<TLeave> {};

TEST_P(ScopeGuards, ScopeExitRunsOnceUnlessDismissed)
{
    int runs = 0;
    RunBlock(GetParam(), [&] {
        TScopeExit count([&] { ++runs; });
        Leave(GetParam());
    });
    EXPECT_EQ(runs, 1);
    RunBlock(GetParam(), [&] {
        TScopeExit count([&] { ++runs; });
        count.Dismiss();
        Leave(GetParam());
    });
    EXPECT_EQ(runs, 1);
}

TEST_P(ScopeGuards, RestorePutsBackTheOldValue)
{
    int level = 3;
    RunBlock(GetParam(), [&] {
        TRestore<int> set(level, 7);
        EXPECT_EQ(level, 7);
        {
            TRestore<int> inner(level, 9);
            EXPECT_EQ(level, 9);
        }
        EXPECT_EQ(level, 7);
        Leave(GetParam());
    });
    EXPECT_EQ(level, 3);
}

TEST_P(ScopeGuards, FlagScopeRestoresOnlyItsBits)
{
    const unsigned Painting = 0x100, Other = 0x1, Later = 0x4;
    struct {
        unsigned Before;
        unsigned After;   // what the flags are when the scope, which also sets Later, ends
    } cases[] = {{0, Later}, {Other, Other | Later}, {Painting, Painting | Later},
                 {Painting | Other, Painting | Other | Later}};
    for (const auto& c : cases) {
        unsigned flags = c.Before;
        RunBlock(GetParam(), [&] {
            TFlagScope<unsigned> painting(flags, Painting);
            EXPECT_TRUE(flags & Painting);
            flags |= Later;
            Leave(GetParam());
        });
        EXPECT_EQ(flags, c.After) << "before " << c.Before;
    }
}

INSTANTIATE_TEST_SUITE_P(Leaving, ScopeGuards, ::testing::Values(ByReturn, ByException));

} // namespace
