#include "test_gtest.h"
#include "ShellPidl.h"
#include <cstring>
#include <vector>

using namespace Spskinshellctrls;

namespace {

// An ID list of items whose payloads are the given bytes ("ab" -> count 4, 'a', 'b').
TPidl MakeList(const std::vector<std::string>& items)
{
    UINT size = 2;
    for (const auto& i : items) size += 2 + static_cast<UINT>(i.size());
    TPidl p = PidlAlloc(size);
    BYTE* out = reinterpret_cast<BYTE*>(p.Get());
    for (const auto& i : items) {
        USHORT cb = static_cast<USHORT>(2 + i.size());
        std::memcpy(out, &cb, 2);
        std::memcpy(out + 2, i.data(), i.size());
        out += cb;
    }
    return p;
}

std::vector<std::string> Items(LPCITEMIDLIST p)
{
    std::vector<std::string> r;
    for (int n = PidlItemCount(p); n > 0; --n) {
        USHORT cb;
        std::memcpy(&cb, p, 2);
        r.emplace_back(reinterpret_cast<const char*>(p) + 2, cb - 2);
        p = PidlNext(p);
    }
    return r;
}

typedef std::vector<std::string> L;

} // namespace

TEST(Pidl, CountsSizesAndCopies)
{
    const struct { L items; int count; UINT bytes; } cases[] = {
        {{}, 0, 2}, {{"a"}, 1, 5}, {{"ab", "cde"}, 2, 11}, {{"x", "y", "zz"}, 3, 12},
    };
    for (const auto& c : cases) {
        TPidl p = MakeList(c.items);
        EXPECT_EQ(PidlItemCount(p.Get()), c.count);
        EXPECT_EQ(PidlByteSize(p.Get()), c.bytes);
        TPidl copy = p.Copy();
        ASSERT_TRUE(copy);
        EXPECT_NE(copy.Get(), p.Get());
        EXPECT_EQ(0, std::memcmp(copy.Get(), p.Get(), c.bytes));
    }
    EXPECT_EQ(PidlByteSize(nullptr), 0u);
    EXPECT_EQ(PidlItemCount(nullptr), 0);
    EXPECT_FALSE(PidlCopy(nullptr));
}

TEST(Pidl, ConcatStripAndLastItem)
{
    TPidl a = MakeList({"ab", "c"}), b = MakeList({"def"});
    TPidl ab = PidlConcat(a.Get(), b.Get());
    EXPECT_EQ(Items(ab.Get()), (L{"ab", "c", "def"}));
    EXPECT_EQ(PidlByteSize(ab.Get()), PidlByteSize(a.Get()) - 2 + PidlByteSize(b.Get()));
    TPidl onlySecond = PidlConcat(nullptr, b.Get());
    EXPECT_EQ(Items(onlySecond.Get()), (L{"def"}));
    EXPECT_NE(onlySecond.Get(), b.Get());

    EXPECT_EQ(Items(PidlLastItemCopy(ab.Get()).Get()), (L{"def"}));
    TPidl empty = MakeList({});
    TPidl emptyLast = PidlLastItemCopy(empty.Get());
    ASSERT_TRUE(emptyLast);
    EXPECT_EQ(PidlItemCount(emptyLast.Get()), 0);

    PidlStripLast(ab.Get());
    EXPECT_EQ(Items(ab.Get()), (L{"ab", "c"}));
    PidlStripLast(empty.Get());   // stays empty, no harm
    PidlStripLast(nullptr);
    EXPECT_EQ(PidlItemCount(empty.Get()), 0);
}

TEST(Pidl, AncestorsFromDesktopDown)
{
    TPidl p = MakeList({"one", "two", "three"});
    std::vector<TPidl> anc = PidlAncestorList(p.Get());
    ASSERT_EQ(anc.size(), 3u);
    EXPECT_EQ(Items(anc[0].Get()), L{});
    EXPECT_EQ(Items(anc[1].Get()), (L{"one"}));
    EXPECT_EQ(Items(anc[2].Get()), (L{"one", "two"}));
    TPidl empty = MakeList({});
    EXPECT_TRUE(PidlAncestorList(empty.Get()).empty());
    EXPECT_TRUE(PidlAncestorList(nullptr).empty());
}

TEST(Pidl, OwnerHasOneOwnerAtATime)
{
    TPidl a = MakeList({"q"});
    LPITEMIDLIST raw = a.Get();
    TPidl b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Get(), raw);
    TPidl c;
    c = std::move(b);
    EXPECT_FALSE(b);
    EXPECT_EQ(c.Get(), raw);
    LPITEMIDLIST released = c.Release();
    EXPECT_FALSE(c);
    PidlFree(released);
    TPidl zero = PidlAlloc(8);
    ASSERT_TRUE(zero);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(reinterpret_cast<BYTE*>(zero.Get())[i], 0);
}
