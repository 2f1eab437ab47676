// The in-memory INI file against the disk one: one text must read the same from
// both, since a skin description is read from a folder and from an inflated block.
#include "test_gtest.h"
#include "IniFiles.h"

namespace {

const char* const TrickyText =
    "; a comment line\r\n"
    "orphan=before any section\r\n"
    "[Alpha]\r\n"
    "Key1 = value one \r\n"
    "key1=second, not read\r\n"
    "  spaced key  =  spaced value  \r\n"
    "noequals\r\n"
    ";commented=1\r\n"
    "\r\n"
    "hex=0x1F\r\n"
    "[Beta]\r\n"
    "a=b=c\r\n"
    "empty=\r\n"
    "[Empty]\r\n"
    "[ Gamma ]\r\n"
    "K=v\r\n"
    "[alpha]\r\n"
    "key2=in a second Alpha\r\n"
    "key1=in a second Alpha\r\n";

std::string WriteTempFile(const char* name, const std::string& text)
{
    std::string fn = GetCurrentDir() + "\\" + name;
    TStringList lines;
    lines.SetText(text);
    lines.SaveToFile(fn);
    return fn;
}

struct Query { const char* Section; const char* Key; };

TEST(MemIniFile, ReadsLikeTheDiskFile)
{
    std::string fn = WriteTempFile("tricky.ini", TrickyText);
    TIniFile disk(fn);
    TMemIniFile mem(fn);
    const Query queries[] = {
        {"Alpha", "key1"}, {"ALPHA", "KEY1"}, {"Alpha", "spaced key"}, {"Alpha", "noequals"},
        {"Alpha", "hex"}, {"Beta", "a"}, {"Beta", "empty"}, {"Empty", "x"},
        {"gamma", "k"}, {"Gamma", "K"}, {"Alpha", "key2"}, {"Nowhere", "a"},
    };
    for (const Query& q : queries) {
        SCOPED_TRACE(std::string(q.Section) + "/" + q.Key);
        EXPECT_EQ(mem.ReadString(q.Section, q.Key, "<none>"), disk.ReadString(q.Section, q.Key, "<none>"));
        EXPECT_EQ(mem.ReadInteger(q.Section, q.Key, -1), disk.ReadInteger(q.Section, q.Key, -1));
    }
    const char* const sections[] = {"Alpha", "Beta", "Empty", "Gamma", "Nowhere"};
    for (const char* s : sections) {
        SCOPED_TRACE(s);
        EXPECT_EQ(mem.SectionExists(s), disk.SectionExists(s));
        TStringList a, b;
        mem.ReadSection(s, &a);
        disk.ReadSection(s, &b);
        EXPECT_EQ(a.GetCommaText(), b.GetCommaText());
    }
    EXPECT_EQ(mem.ReadString("Alpha", "key1", ""), "value one");
    EXPECT_EQ(mem.ReadString("Beta", "a", ""), "b=c");
    EXPECT_EQ(mem.ReadInteger("Alpha", "hex", 0), 31);
    EXPECT_FALSE(mem.SectionExists("Empty"));   // a header without keys counts as missing
    // Where the profile functions under Wine keep comment keys and text before the
    // first section, the description's rules drop them.
    EXPECT_EQ(mem.ReadString("Alpha", ";commented", "<none>"), "<none>");
    EXPECT_EQ(mem.ReadString("", "orphan", "<none>"), "<none>");
    // A second section of a name already used is never read, by either.
    EXPECT_EQ(mem.ReadString("Alpha", "key2", "<none>"), "<none>");
    DeleteFile(fn);
}

TEST(MemIniFile, WritesInPlaceAndAppends)
{
    TMemIniFile ini;
    ini.SetText("[A]\nx=1\ny=2\n[B]\nz=3\n");
    ini.WriteString("a", "X", "10");   // replaces, keeps the key's place and spelling
    ini.WriteString("A", "w", "4");    // appended at the end of its section
    ini.WriteString("C", "v", "5");    // a new section at the end
    TStringList lines;
    ini.GetStrings(&lines);
    EXPECT_EQ(ini.GetText(), "[A]\r\nx=10\r\ny=2\r\nw=4\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nv=5\r\n\r\n");
    ini.DeleteKey("A", "Y");
    ini.EraseSection("b");
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.GetCommaText(), "A,C");
    TStringList keys;
    ini.ReadSection("A", &keys);
    EXPECT_EQ(keys.GetCommaText(), "x,w");
    TStringList values;
    ini.ReadSectionValues("A", &values);
    EXPECT_EQ(values[0], "x=10");
    EXPECT_TRUE(ini.ValueExists("a", "W"));
    EXPECT_FALSE(ini.ValueExists("A", "y"));
}

TEST(MemIniFile, SavesToItsFileAndReloads)
{
    std::string fn = GetCurrentDir() + "\\mem_saved.ini";
    DeleteFile(fn);
    {
        TMemIniFile ini(fn);
        ini.WriteInteger("S", "n", -42);
        ini.WriteBool("S", "b", true);
        ini.UpdateFile();
    }
    TIniFile disk(fn);
    EXPECT_EQ(disk.ReadInteger("S", "n", 0), -42);
    EXPECT_TRUE(disk.ReadBool("S", "b", false));
    TMemIniFile again(fn);
    EXPECT_EQ(again.ReadInteger("S", "n", 0), -42);
    DeleteFile(fn);
}

TEST(MemIniFile, WorksThroughTheCommonInterface)
{
    TMemIniFile mem;
    std::string fn = GetCurrentDir() + "\\common.ini";
    DeleteFile(fn);
    TIniFile disk(fn);
    TCustomIniFile* files[] = {&mem, &disk};
    for (TCustomIniFile* f : files) {
        f->WriteString("S", "a", "1");
        f->WriteInteger("S", "b", 2);
        f->EraseSection("T");
        f->WriteString("T", "c", "3");
        f->EraseSection("T");
        EXPECT_FALSE(f->SectionExists("T"));
        EXPECT_EQ(f->ReadInteger("S", "b", 0), 2);
        EXPECT_TRUE(f->ValueExists("S", "A"));
        f->UpdateFile();
    }
    DeleteFile(fn);
}

} // namespace
