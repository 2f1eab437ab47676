// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Log.h"
#include "Settings.h"

using namespace httptest;

namespace {

struct ContactsFile : ::testing::Test {
    void SetUp() override
    {
        Folder = MakeProgramFolder("contacts_case");
        Path = ContactsPath();
        for (int i = 0; i < 3; ++i) DeleteFile(Path + ".damaged" + (i ? "." + IntToStr(i) : std::string()));
        RemoveDirectoryA((Path + ".tmp").c_str());
        Log.reset(new CLog(Folder + "errors.log"));
        MyLog = Log.get();
    }
    void TearDown() override
    {
        MyLog = nullptr;
        FreeContacts(&List);
        FreeContacts(&Loaded);
        RemoveDirectoryA((Path + ".tmp").c_str());
    }
    CContact* Add(const std::string& reg, const std::string& ip, uint8_t black, const std::string& history)
    {
        auto* c = new CContact(reg, ip);
        c->BlackListed = black;
        c->History = history;
        c->Password = "typed";
        c->Balance = 7;
        c->PayUser = "u";
        List.Add(c);
        return c;
    }
    CContact* At(CMultiThreadList& l, int i) { return static_cast<CContact*>(l.Get(i)); }
    std::string Folder, Path;
    CMultiThreadList List, Loaded;
    std::unique_ptr<CLog> Log;
};

TEST(Registration, ParsesTheFiveValuesAndDropsControlCharacters)
{
    struct Case {
        std::string text;
        std::vector<std::string> want;   // name, company, e-mail, phone, interest
    } cases[] = {
        {"registration&name=ann&company=acme&email=ann@acme.example&phone=1&interest=live music & more",
         {"ann", "acme", "ann@acme.example", "1", "live music & more"}},
        {GuestRegistration, {"guest", "unknown", "unknown", "unknown", "unknown"}},
        {"registration&name=a\r\nb&company=c\x01o&email=e&phone=\x7f"
         "9&interest=x\ty",
         {"ab", "co", "e", "9", "xy"}},
        // A missing key leaves its value empty or cut; nothing fails.
        {"registration&name=bob&email=b&phone=2&interest=i", {"", "ation&name=bob", "b", "2", "i"}},
    };
    for (auto& c : cases) {
        CContact contact(c.text, "10.0.0.1");
        std::vector<std::string> got = {contact.Name, contact.Company, contact.Email, contact.Phone, contact.Interest};
        EXPECT_EQ(got, c.want) << c.text;
        EXPECT_EQ(contact.IP, "10.0.0.1");
        EXPECT_EQ(contact.BlackListed, 0);
        EXPECT_EQ(contact.Balance, 0);
        EXPECT_FALSE(contact.IsOnline());
    }
}

TEST_F(ContactsFile, RoundTripKeepsTheSavedFieldsOnly)
{
    Add("registration&name=ann&company=acme&email=a@b&phone=1&interest=x y z", "10.0.0.1", 0, "\nann: hi\nServer: yo\n");
    Add(GuestRegistration, "10.0.0.2", 1, "");
    SaveContacts(&List);
    // count, then 8 length-prefixed strings per contact
    std::string bytes = ReadFile(Path);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(LE32(bytes), 2u);
    EXPECT_EQ(LE32(bytes, 4), 3u);
    EXPECT_EQ(bytes.substr(8, 3), "ann");
    EXPECT_EQ(bytes.substr(bytes.size() - 5), Le32Bytes(1) + "1");

    LoadContacts(&Loaded);
    ASSERT_EQ(Loaded.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        CContact* a = At(List, i);
        CContact* b = At(Loaded, i);
        EXPECT_EQ(b->Name, a->Name);
        EXPECT_EQ(b->Company, a->Company);
        EXPECT_EQ(b->Email, a->Email);
        EXPECT_EQ(b->Phone, a->Phone);
        EXPECT_EQ(b->Interest, a->Interest);
        EXPECT_EQ(b->IP, a->IP);
        EXPECT_EQ(b->History, a->History);
        EXPECT_EQ(b->BlackListed, a->BlackListed);
        EXPECT_EQ(b->Password, "");
        EXPECT_EQ(b->Balance, 0);
        EXPECT_EQ(b->PayUser, "");
    }
    EXPECT_FALSE(FileExists(Path + ".tmp"));
    EXPECT_EQ(ReadFile(Folder + "errors.log"), "");
}

TEST_F(ContactsFile, ADamagedFileLoadsItsGoodPrefixAndIsKeptAside)
{
    Add("registration&name=one&company=c&email=e&phone=p&interest=i", "10.0.0.1", 0, "h1");
    Add("registration&name=two&company=c&email=e&phone=p&interest=i", "10.0.0.2", 0, "h2");
    SaveContacts(&List);
    std::string good = ReadFile(Path);
    size_t second = 4;
    for (int s = 0; s < 8; ++s) second += 4 + LE32(good, second);   // start of record 2
    struct Case {
        const char* what;
        std::string bytes;
        int loaded;
    } cases[] = {
        {"cut inside record 2", good.substr(0, second + 6), 1},
        {"negative length", good.substr(0, second) + Le32Bytes(0xFFFFFFF0u) + good.substr(second + 4), 1},
        {"length past the end", good.substr(0, second) + Le32Bytes(100000) + good.substr(second + 4), 1},
        {"count larger than the records", Le32Bytes(1000) + good.substr(4), 2},
        {"negative count", Le32Bytes(0x80000000u) + good.substr(4), 0},
        {"flag not a number", good.substr(0, good.size() - 1) + "x", 1},
        {"three bytes", good.substr(0, 3), 0},
    };
    for (auto& c : cases) {
        WriteFile(Path, c.bytes);
        DeleteFile(Path + ".damaged");
        DeleteFile(Folder + "errors.log");
        LoadContacts(&Loaded);
        EXPECT_EQ(Loaded.GetCount(), c.loaded) << c.what;
        if (c.loaded > 0) {
            EXPECT_EQ(At(Loaded, 0)->Name, "one") << c.what;
        }
        // The damaged file itself is untouched and a copy of it is kept.
        EXPECT_EQ(ReadFile(Path), c.bytes) << c.what;
        EXPECT_EQ(ReadFile(Path + ".damaged"), c.bytes) << c.what;
        EXPECT_NE(ReadFile(Folder + "errors.log").find(LogPrefix::LoadContacts), std::string::npos) << c.what;
        FreeContacts(&Loaded);
    }
    // A later save writes the partial list, but the copy still holds what the file held.
    WriteFile(Path, good.substr(0, second + 6));
    DeleteFile(Path + ".damaged");
    LoadContacts(&Loaded);
    SaveContacts(&Loaded);
    EXPECT_EQ(ReadFile(Path + ".damaged"), good.substr(0, second + 6));
    // A second damage is kept under a name of its own.
    WriteFile(Path, "xy");
    FreeContacts(&Loaded);
    LoadContacts(&Loaded);
    EXPECT_EQ(ReadFile(Path + ".damaged.1"), "xy");
    EXPECT_EQ(ReadFile(Path + ".damaged"), good.substr(0, second + 6));
}

TEST_F(ContactsFile, AFailedSaveLeavesThePreviousFileWhole)
{
    Add(GuestRegistration, "10.0.0.1", 0, "");
    SaveContacts(&List);
    std::string before = ReadFile(Path);
    Add(GuestRegistration, "10.0.0.2", 0, "");
    // The temporary file cannot be created: the save fails before touching the file.
    ASSERT_TRUE(CreateDirectoryA((Path + ".tmp").c_str(), nullptr));
    SaveContacts(&List);
    EXPECT_EQ(ReadFile(Path), before);
    EXPECT_NE(ReadFile(Folder + "errors.log").find(LogPrefix::SaveContacts), std::string::npos);
    EXPECT_THROW(WriteContactsFile(&List, Path), std::exception);
    RemoveDirectoryA((Path + ".tmp").c_str());
    SaveContacts(&List);
    EXPECT_EQ(LE32(ReadFile(Path)), 2u);
}

} // namespace
