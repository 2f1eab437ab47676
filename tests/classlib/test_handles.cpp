#include "SocketHandle.h"
#include "test_gtest.h"
#include "Handles.h"
#include "SysUtils.h"
#include "Trace.h"
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

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

// Trace lines of the given channels go to a file of the test for its lifetime.
class TTraceFile {
public:
    TTraceFile(const char* Channels, const char* Name)
    {
        char path[MAX_PATH];
        GetTempPathA(MAX_PATH, path);
        FFile = std::string(path) + Name;
        DeleteFileA(FFile.c_str());
        SetEnvironmentVariableA("ORVANTA_TRACE", Channels);
        SetEnvironmentVariableA("ORVANTA_TRACE_FILE", FFile.c_str());
    }
    ~TTraceFile()
    {
        DeleteFileA(FFile.c_str());
        SetEnvironmentVariableA("ORVANTA_TRACE", nullptr);
        SetEnvironmentVariableA("ORVANTA_TRACE_FILE", nullptr);
    }
    std::string Text() const
    {
        std::string text;
        if (FILE* f = fopen(FFile.c_str(), "rb")) {
            char buf[1024];
            size_t n;
            while ((n = fread(buf, 1, sizeof(buf), f)) > 0) text.append(buf, n);
            fclose(f);
        }
        return text;
    }
private:
    std::string FFile;
};

TEST(Trace, ChannelsFollowTheEnvironmentAndWriteTheirFile)
{
    TTraceFile trace("media,skin", "orvanta_trace_test.txt");
    EXPECT_TRUE(Trace::Enabled(Trace::Media));
    EXPECT_TRUE(Trace::Enabled(Trace::Skin));
    EXPECT_FALSE(Trace::Enabled(Trace::Server));
    Trace::Line(Trace::Server, "not written");
    Trace::Failure(Trace::Media, "grab", 0x80004005L);
    std::string text = trace.Text();
    EXPECT_NE(text.find("media: grab (0x80004005)"), std::string::npos) << text;
    EXPECT_EQ(text.find("not written"), std::string::npos);
}

// What a swallowed exception leaves in the trace: where, and its message.
TEST(Trace, CaughtExceptionsWriteWhereAndTheirMessage)
{
    TTraceFile trace("classlib", "orvanta_trace_caught.txt");
    const struct {
        void (*Throw)();
        const char* Line;
    } cases[] = {
        {[] { throw EConvertError("'x' is not a number"); }, "classlib: where 0: 'x' is not a number"},
        {[] { throw std::runtime_error("plain"); }, "classlib: where 1: plain"},
        {[] { throw 42; }, "classlib: where 2: unknown exception"},
    };
    int i = 0;
    for (const auto& c : cases) {
        try {
            c.Throw();
        } catch (...) {
            Trace::Caught(Trace::ClassLib, "where " + std::to_string(i));
        }
        ++i;
    }
    // A channel that is off writes nothing.
    try {
        throw std::runtime_error("quiet");
    } catch (...) {
        Trace::Caught(Trace::Server, "not written");
    }
    std::string text = trace.Text();
    ASSERT_FALSE(text.empty());
    for (const auto& c : cases) EXPECT_NE(text.find(c.Line), std::string::npos) << text;
    EXPECT_EQ(text.find("not written"), std::string::npos);
}

} // namespace
