// The viewer's download as a browser meets it: the viewer page from the running
// program names the control's class and its codebase; the codebase address
// answers with the cabinet, which an independent tool unpacks; the INF inside
// says which file to register, for which class and which version, and the file
// is the 32-bit control with that version.
// Winsock first: its headers must precede the C library's.
#include "ProgramKit.h"
#include "test_gtest.h"
#include <map>

namespace {

using namespace programtest;
using namespace httptest;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t from = 0;
    while (from <= text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return out;
}

// The value of attribute Name inside the OBJECT element of a page ("" when absent).
std::string ObjectAttribute(const std::string& page, const std::string& name)
{
    const std::string low = LowerCase(page);
    const size_t object = low.find("<object");
    if (object == std::string::npos) return "";
    const size_t end = low.find('>', object);
    const size_t at = low.find(LowerCase(name) + "=\"", object);
    if (at == std::string::npos || at > end) return "";
    const size_t from = at + name.size() + 2;
    return page.substr(from, page.find('"', from) - from);
}

// "Key=Value" lines of one INF section, keys lower-cased.
std::map<std::string, std::string> InfSection(const std::string& inf, const std::string& section)
{
    std::map<std::string, std::string> out;
    bool in = false;
    for (std::string line : Lines(inf)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            in = LowerCase(line) == "[" + LowerCase(section) + "]";
            continue;
        }
        const size_t eq = line.find('=');
        if (in && eq != std::string::npos) out[LowerCase(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
    }
    return out;
}

// The machine field of a PE file's header (0 when the bytes are no PE file).
unsigned PeMachine(const std::string& bytes)
{
    if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) return 0;
    const uint32_t pe = LE32(bytes, 0x3C);
    if (pe + 6 > bytes.size() || bytes.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return 0;
    return static_cast<unsigned char>(bytes[pe + 4]) | (static_cast<unsigned char>(bytes[pe + 5]) << 8);
}

// "a,b,c,d" of a file's fixed version information ("" without one).
std::string FileVersion(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return "";
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return "";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed) return "";
    return IntToStr(static_cast<int>(HIWORD(fixed->dwFileVersionMS))) + "," +
           IntToStr(static_cast<int>(LOWORD(fixed->dwFileVersionMS))) + "," +
           IntToStr(static_cast<int>(HIWORD(fixed->dwFileVersionLS))) + "," +
           IntToStr(static_cast<int>(LOWORD(fixed->dwFileVersionLS)));
}

TEST(Download, TheCodebaseServesTheViewerControlThatThePageNames)
{
    Program p("download");
    p.WriteFile("setup.ini", SetupIni({{"AUTOVIDEO_STATE", "0"}, {"AUTOONLINE_STATE", "0"},
                                       {"AUTOOFFLINE_STATE", "0"}, {"SOUND", "0"}}));
    ASSERT_TRUE(p.Start());

    const std::string page = Exchange(p.Port(), "GET /viewax.html HTTP/1.0\r\n\r\n", 10000);
    const std::string classid = ObjectAttribute(page, "classid");
    const std::string codebase = ObjectAttribute(page, "codebase");
    ASSERT_EQ(classid.rfind("clsid:", 0), 0u) << page;
    const size_t hash = codebase.find("#version=");
    ASSERT_NE(hash, std::string::npos) << codebase;
    const std::string file = codebase.substr(0, hash), version = codebase.substr(hash + 9);

    // A relative codebase resolves against the page's own address.
    const std::string reply = Exchange(p.Port(), "GET /" + file + " HTTP/1.0\r\n\r\n", 20000);
    const size_t bodyAt = reply.find("\r\n\r\n");
    ASSERT_NE(bodyAt, std::string::npos) << reply.substr(0, 200);
    const std::string header = reply.substr(0, bodyAt + 2), body = reply.substr(bodyAt + 4);
    EXPECT_EQ(header.rfind("HTTP/1.0 200 OK\r\n", 0), 0u) << header;
    EXPECT_NE(header.find("Content-type: application/octet-stream\r\n"), std::string::npos) << header;
    EXPECT_NE(header.find("Content-Length: " + IntToStr(static_cast<long long>(body.size())) + "\r\n"),
              std::string::npos)
        << header << "\nbody bytes: " << body.size();
    ASSERT_EQ(body.compare(0, 4, "MSCF"), 0) << "not a cabinet";

    // Unpacked by cabextract, not by anything of ours.
    const std::string dir = p.Folder() + "cab\\";
    ForceDirectories(dir);
    WriteFile(dir + "download.cab", body);
    ASSERT_EQ(0, RunUnix("cabextract -q -d '" + UnixPath(dir + "out") + "' '" + UnixPath(dir + "download.cab") + "'",
                         60000));
    const std::string inf = ReadFile(dir + "out\\Quenda.inf");
    ASSERT_FALSE(inf.empty());

    const auto code = InfSection(inf, "Add.Code");
    ASSERT_EQ(code.size(), 1u);
    const std::string control = code.begin()->first;
    const auto entry = InfSection(inf, control);
    EXPECT_EQ(LowerCase(entry.at("file-win32-x86")), "thiscab");
    EXPECT_EQ(LowerCase(entry.at("registerserver")), "yes");
    EXPECT_EQ(UpperCase(entry.at("clsid")), "{" + UpperCase(classid.substr(6)) + "}");
    EXPECT_EQ(entry.at("fileversion"), version);

    // The file the INF names: the 32-bit control, of the version the page asks for.
    const std::string ocx = dir + "out\\" + control;
    EXPECT_EQ(PeMachine(ReadFile(ocx)), 0x14Cu) << "not a 32-bit x86 file";
    EXPECT_EQ(FileVersion(ocx), version);
    EXPECT_TRUE(p.Stop());
}

} // namespace
