#include "SocketHandle.h"
#include "test_gtest.h"
#include "Handles.h"
#include "SysUtils.h"
#include "Trace.h"
#include <cstdio>
#include <cstdlib>

namespace {

TEST(Handles, KernelHandleClosesOnceAndMovesOwnership)
{
    HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        TKernelHandle a(raw);
        TKernelHandle b(std::move(a));
        EXPECT_FALSE(a.Valid());
        EXPECT_TRUE(b.Valid());
        HANDLE dup = nullptr;
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), raw, GetCurrentProcess(), &dup, 0, FALSE,
                                    DUPLICATE_SAME_ACCESS));
        CloseHandle(dup);
    }
    // Closed by the holder that owned it last: the handle is gone.
    HANDLE dup = nullptr;
    EXPECT_FALSE(DuplicateHandle(GetCurrentProcess(), raw, GetCurrentProcess(), &dup, 0, FALSE,
                                 DUPLICATE_SAME_ACCESS));
}

TEST(Handles, InvalidValuesAreEmpty)
{
    TKernelHandle file(CreateFileA("Z:\\no\\such\\dir\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    EXPECT_FALSE(file.Valid());
    TFindHandle find;
    EXPECT_FALSE(find.Valid());
    TSocketHandle sock;
    EXPECT_FALSE(sock.Valid());
    THeapBlock block(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 16));
    EXPECT_TRUE(block.Valid());
    block.Reset();
    EXPECT_FALSE(block.Valid());
}

TEST(Handles, ComPtrCountsReferences)
{
    struct Counted : IUnknown {
        LONG Refs = 1;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
        {
            *out = this;
            AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
        ULONG STDMETHODCALLTYPE Release() override { return --Refs; }
    } obj;
    {
        TComPtr<IUnknown> a = TComPtr<IUnknown>::Share(&obj);
        EXPECT_EQ(obj.Refs, 2);
        TComPtr<IUnknown> b;
        ASSERT_EQ(a.As(IID_IUnknown, b), S_OK);
        EXPECT_EQ(obj.Refs, 3);
        TComPtr<IUnknown> c(std::move(b));
        EXPECT_EQ(obj.Refs, 3);
        IUnknown* out = c.Detach();
        EXPECT_EQ(obj.Refs, 3);
        out->Release();
    }
    EXPECT_EQ(obj.Refs, 1);
}

TEST(Strings, WideConversionsRoundTrip)
{
    const char* cases[] = {"", "a", "Orvanta TM", "line\r\nbreak", "caf\xe9"};
    for (const char* c : cases) {
        TWideString w = AnsiToWide(c);
        EXPECT_EQ(WideToAnsi(w.c_str()), c);
        EXPECT_EQ(WideToAnsi(w.data(), w.size()), c);
    }
    TWideString w = AnsiToWide("ab");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], 'a');
    EXPECT_EQ(WideToAnsi(nullptr), "");
}

TEST(Trace, ChannelsFollowTheEnvironmentAndWriteTheirFile)
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "orvanta_trace_test.txt";
    DeleteFileA(file.c_str());
    setenv("ORVANTA_TRACE", "media,skin", 1);
    setenv("ORVANTA_TRACE_FILE", file.c_str(), 1);
    EXPECT_TRUE(Trace::Enabled(Trace::Media));
    EXPECT_TRUE(Trace::Enabled(Trace::Skin));
    EXPECT_FALSE(Trace::Enabled(Trace::Server));
    Trace::Line(Trace::Server, "not written");
    Trace::Failure(Trace::Media, "grab", 0x80004005L);
    FILE* f = fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[256] = {};
    size_t n = fread(buf, 1, sizeof(buf) - 1, f);
    fclose(f);
    std::string text(buf, n);
    EXPECT_NE(text.find("media: grab (0x80004005)"), std::string::npos) << text;
    EXPECT_EQ(text.find("not written"), std::string::npos);
    DeleteFileA(file.c_str());
    unsetenv("ORVANTA_TRACE");
    unsetenv("ORVANTA_TRACE_FILE");
}

} // namespace
