#include "test_gtest.h"
#include "EmbedHtml.h"

namespace {

std::string Join(const std::vector<std::string>& v)
{
    std::string r;
    for (auto& s : v) r += s + "\n";
    return r;
}

TEST(EmbedHtml, ControlPageForLayout320)
{
    TStringList addr;
    addr.Add("10.0.0.5");
    addr.Add("192.168.1.9");
    auto lines = EmbedHtml::Build(1, 2, &addr, 80);
    EXPECT_EQ(Join(lines),
              "<html>\n<head>\n<title>Solvane client</title>\n</head>\n<OBJECT\nID = Quenda\n"
              "classid=\"clsid:FFD85318-7565-4886-945C-D31E428F0947\"\n"
              "codebase=\"http://10.0.0.5:80/Quenda.cab#version=1,0,0,0\"\n"
              "width=330 height=500\nalign=center  hspace=0  vspace=0>\n"
              "<param name=\"address\">\n<param name=\"port\">\n<param name=\"skin\">\n</OBJECT>\n"
              "<SCRIPT LANGUAGE=\"VBScript\">\n<!--\nQuenda.port = \"80\"\nQuenda.address = \"10.0.0.5\"\n"
              "Quenda.skin = \"prop3.skn\"\n-->\n</SCRIPT>\n</HTML>\n");
    EXPECT_STREQ(EmbedHtml::ClientTypeSetting(1), "ActiveX");
}

TEST(EmbedHtml, AppletPageWithAndWithoutAddress)
{
    TStringList addr;
    addr.Add("10.0.0.5");
    EXPECT_EQ(Join(EmbedHtml::Build(0, 2, &addr, 80)),
              "<html>\n<head>\n<title>Solvane client</title>\n</head>\n<body>\n"
              "<applet codebase= \"http://10.0.0.5:80\" code=Solvane \nname=VezEredi\nwidth=300 height=500\n"
              "archive=client.jar>\n<param name=port value=80>\n<param name=PropertyFile value=prop3.skn>\n"
              "<param name=address value=10.0.0.5>\n</applet>\n</body>\n</html>\n");
    TStringList none;
    auto lines = EmbedHtml::Build(0, 0, &none, 8080);
    EXPECT_EQ(lines[5], "<applet codebase= \".\" code=Solvane ");
    EXPECT_EQ(lines[7], "width=510 height=170");
    EXPECT_EQ(lines[11], "<param name=address value=127.0.0.1>");
    EXPECT_STREQ(EmbedHtml::ClientTypeSetting(0), "Java");
}

TEST(EmbedHtml, NoLayoutSelectedGivesNoSizeLineAndTheFirstLayout)
{
    TStringList none;
    auto lines = EmbedHtml::Build(1, -1, &none, 80);
    std::string all = Join(lines);
    EXPECT_EQ(all.find("width="), std::string::npos);
    EXPECT_NE(all.find("Quenda.skin = \"prop1.skn\""), std::string::npos);
    EXPECT_NE(all.find("Quenda.address = \"127.0.0.1\""), std::string::npos);
}

TEST(EmbedHtml, LocalAddressesHoldNoLoopback)
{
    // A lookup's list as the resolver gives it (network order), loopback among them.
    const unsigned char bytes[][4] = {{127, 0, 0, 1}, {192, 168, 1, 7}, {127, 0, 1, 1}, {10, 1, 2, 3}, {126, 9, 9, 9}};
    std::vector<const char*> lookup;
    for (auto& b : bytes) lookup.push_back(reinterpret_cast<const char*>(b));
    lookup.push_back(nullptr);
    TStringList addr;
    EmbedHtml::AddVisitorAddresses(&addr, lookup.data());
    std::vector<std::string> got;
    for (int i = 0; i < addr.Count(); ++i) got.push_back(addr[i]);
    EXPECT_EQ(got, (std::vector<std::string>{"192.168.1.7", "10.1.2.3", "126.9.9.9"}));
    // The machine's own lookup goes through the same filter.
    TStringList local;
    EmbedHtml::GetLocalAddresses(&local);
    for (int i = 0; i < local.Count(); ++i) EXPECT_NE(local[i].rfind("127.", 0), 0u) << local[i];
}

} // namespace
