#include "test_gtest.h"
#include "IniFiles.h"
#include "Streams.h"

namespace {

std::string TempName(const char* name) { return GetCurrentDir() + "\\" + name; }

TEST(Streams, FileAndMemoryRoundTrip)
{
    std::string fn = TempName("stream_rt.bin");
    {
        TFileStream f(fn, fmCreate);
        f.WriteBuffer("hello", 5);
        int v = 0x01020304;
        f.WriteBuffer(&v, 4);
    }
    TMemoryStream m;
    m.LoadFromFile(fn);
    EXPECT_EQ(m.GetSize(), 9);
    char buf[5];
    m.ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "hello");
    int v;
    m.ReadBuffer(&v, 4);
    EXPECT_EQ(v, 0x01020304);
    EXPECT_THROW(m.ReadBuffer(&v, 1), EReadError);
    EXPECT_THROW(TFileStream(TempName("missing\\none.bin"), fmOpenRead), EFOpenError);
    DeleteFile(fn);
}

TEST(IniFile, ReadsDefaultsWritesAndCutsToBuffer)
{
    std::string fn = TempName("ini_test.ini");
    DeleteFile(fn);
    TIniFile ini(fn);
    EXPECT_EQ(ini.ReadString("SETTINGS", "PASS", "1"), "1");
    ini.WriteString("SETTINGS", "PASS", "secret");
    ini.WriteInteger("SETTINGS", "RES", 2);
    ini.WriteBool("SETTINGS", "SOUND", true);
    EXPECT_EQ(ini.ReadString("SETTINGS", "PASS", ""), "secret");
    EXPECT_EQ(ini.ReadString("SETTINGS", "PASS", "", 3), "sec");
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "RES", 0), 2);
    EXPECT_TRUE(ini.ReadBool("SETTINGS", "SOUND", false));
    EXPECT_TRUE(ini.ValueExists("SETTINGS", "res"));
    TStringList keys;
    ini.ReadSection("SETTINGS", &keys);
    EXPECT_EQ(keys.GetCommaText(), "PASS,RES,SOUND");
    ini.UpdateFile();
    TStringList text;
    text.LoadFromFile(fn);
    EXPECT_EQ(text[0], "[SETTINGS]");
    EXPECT_EQ(text[1], "PASS=secret");
    DeleteFile(fn);
}

} // namespace
