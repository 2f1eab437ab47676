// The viewer host's reading of viewer pages and page addresses.
#include "WinsockPrelude.h"
#include "test_gtest.h"
#include "PageLoader.h"
#include "ViewerPage.h"
#include <string>
#include <vector>

namespace {

// The page the broadcasting program writes for the viewer control (layout
// "skin 320x240", address 10.0.0.5, port 80).
const char* const ProgramPage = "<html>\n<head>\n<title>Solvane client</title>\n</head>\n<OBJECT\nID = Quenda\n"
                                "classid=\"clsid:FFD85318-7565-4886-945C-D31E428F0947\"\n"
                                "codebase=\"http://10.0.0.5:80/Quenda.cab#version=1,0,0,0\"\n"
                                "width=330 height=500\nalign=center  hspace=0  vspace=0>\n"
                                "<param name=\"address\">\n<param name=\"port\">\n<param name=\"skin\">\n</OBJECT>\n"
                                "<SCRIPT LANGUAGE=\"VBScript\">\n<!--\nQuenda.port = \"80\"\n"
                                "Quenda.address = \"10.0.0.5\"\nQuenda.skin = \"prop3.skn\"\n-->\n</SCRIPT>\n</HTML>\n";

struct TPageCase {
    const char* What;
    std::string Html;
    bool Found;
    const char* Id;
    const char* ClassId;
    int Width, Height;
    // name=value pairs in script order; a value in quotation marks is a string literal
    std::vector<std::string> Assignments;
};

std::vector<std::string> Flatten(const TViewerPage& page)
{
    std::vector<std::string> out;
    for (const TScriptAssignment& a : page.Assignments)
        out.push_back(a.Name + "=" + (a.Quoted ? "\"" + a.Value + "\"" : a.Value));
    return out;
}

TEST(ViewerPage, FindsTheControlAndTheScriptsAssignmentsInOrder)
{
    const std::vector<TPageCase> cases = {
        {"the program's page", ProgramPage, true, "Quenda", "FFD85318-7565-4886-945C-D31E428F0947", 330, 500,
         {"port=\"80\"", "address=\"10.0.0.5\"", "skin=\"prop3.skn\""}},
        {"names and tags in any case, braces, quotes, numbers, comments and other objects",
         "<object id='Viewer' CLASSID = 'CLSID:{11111111-2222-3333-4444-555555555555}' WIDTH=\"170px\">"
         "</object><script>\r\n  viewer.Port = 8080 ' the port\r\n"
         "VIEWER.Address = \"127.0.0.1\";\r\nother.skin = \"prop2.skn\"\r\n"
         "Viewer.skin = \"say \"\"hi\"\"\" // js style\r\nViewer.skin = x\r\n"
         "Viewer.Port = \"1\" trailing words\r\n</SCRIPT><script type=x>Viewer.skin='prop4.skn'</script>",
         true, "Viewer", "11111111-2222-3333-4444-555555555555", 170, 0,
         {"Port=8080", "Address=\"127.0.0.1\"", "skin=\"say \"hi\"\"", "skin=\"prop4.skn\""}},
        {"an applet or other object without a class identifier is passed over",
         "<object classid=\"java:Solvane.class\"></object><objection/>"
         "<OBJECT ID=Second classid=clsid:FFD85318-7565-4886-945C-D31E428F0947>"
         "<script>Second.skin = \"prop1.skn\"</script>",
         true, "Second", "FFD85318-7565-4886-945C-D31E428F0947", 0, 0, {"skin=\"prop1.skn\""}},
        {"an element without ID cannot be addressed by the script",
         "<OBJECT classid=\"clsid:FFD85318-7565-4886-945C-D31E428F0947\"></OBJECT>"
         "<script>Quenda.skin = \"prop1.skn\"</script>",
         true, "", "FFD85318-7565-4886-945C-D31E428F0947", 0, 0, {}},
        {"the login page embeds no control",
         "<html><body><form action=\"/check_login\"><input name=\"username_var\"></form></body></html>", false, "",
         "", 0, 0, {}},
        {"an empty reply", "", false, "", "", 0, 0, {}},
    };
    for (const TPageCase& c : cases) {
        SCOPED_TRACE(c.What);
        TViewerPage page;
        ASSERT_EQ(ViewerPage::Parse(c.Html, page), c.Found);
        if (!c.Found) continue;
        EXPECT_EQ(page.ObjectId, c.Id);
        EXPECT_EQ(page.ClassId, c.ClassId);
        EXPECT_EQ(page.Width, c.Width);
        EXPECT_EQ(page.Height, c.Height);
        EXPECT_EQ(Flatten(page), c.Assignments);
    }
}

TEST(ViewerPage, CommandLineValuesReadBackAsTheProgramsPage)
{
    struct {
        const char* Skin;
        int Width, Height;
    } cases[] = {{"prop1.skn", 510, 170}, {"prop2.skn", 170, 510}, {"prop3.skn", 330, 500},
                 {"prop4.skn", 808, 524}, {"prop3", 0, 0},         {"other.skn", 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Skin);
        TViewerPage page;
        ASSERT_TRUE(ViewerPage::Parse(
            ViewerPage::Compose(ViewerPage::ViewerClassId, "127.0.0.1", "8080", c.Skin), page));
        EXPECT_EQ(page.ObjectId, "Quenda");
        EXPECT_EQ(page.ClassId, "FFD85318-7565-4886-945C-D31E428F0947");
        EXPECT_EQ(page.Width, c.Width);
        EXPECT_EQ(page.Height, c.Height);
        std::vector<std::string> expected = {"port=\"8080\"", "address=\"127.0.0.1\"",
                                             std::string("skin=\"") + c.Skin + "\""};
        EXPECT_EQ(Flatten(page), expected);
    }
}

TEST(PageLoader, ReadsPageAddresses)
{
    struct {
        const char* Url;
        bool Ok;
        const char* Host;
        int Port;
        const char* Path;
    } cases[] = {
        {"http://127.0.0.1:8080/viewax.html", true, "127.0.0.1", 8080, "/viewax.html"},
        {"HTTP://127.0.0.1/", true, "127.0.0.1", 80, "/"},
        {"http://localhost:81", true, "localhost", 81, "/"},
        {"127.0.0.1:8080/check_login?username_var=a&submit", true, "127.0.0.1", 8080,
         "/check_login?username_var=a&submit"},
        {"https://127.0.0.1/", false, "", 0, ""},
        {"http://:80/", false, "", 0, ""},
        {"http://127.0.0.1:99999/", false, "", 0, ""},
        {"http://127.0.0.1:/", false, "", 0, ""},
        {"http://127.0.0.1:8o/", false, "", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Url);
        THttpAddress at;
        ASSERT_EQ(PageLoader::ParseUrl(c.Url, at), c.Ok);
        if (!c.Ok) continue;
        EXPECT_EQ(at.Host, c.Host);
        EXPECT_EQ(at.Port, c.Port);
        EXPECT_EQ(at.Path, c.Path);
    }
}

} // namespace
