// An independent HTTP client (curl) against the server.
// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Settings.h"

using namespace httptest;

namespace {

TEST(Curl, FetchesTheLoginPageAndTheAppletArchive)
{
    std::string folder = MakeProgramFolder("curl_case");
    std::string login = "<html><body>Login</body></html>\n";
    WriteFile(folder + "HTML\\login.html", login);
    std::string jar = ReadFile(GetCurrentDir() + "\\client.jar");
    ASSERT_EQ(jar.substr(0, 2), "PK");
    WriteFile(folder + "client.jar", jar);
    Server srv;
    struct Case {
        std::string path;
        std::string body;
        std::string type;
    } cases[] = {
        {"/", login, "text/html"},
        {"/client.jar", jar, "application/octet-stream"},
    };
    for (auto& c : cases) {
        std::string out = folder + "curl_body", head = folder + "curl_head";
        DeleteFile(out);
        DeleteFile(head);
        int rc = RunUnix("curl -s --noproxy '*' --max-time 10 -o '" + UnixPath(out) + "' -D '" + UnixPath(head) +
                             "' -w '%{http_code} %{content_type}' 'http://127.0.0.1:" + IntToStr(srv.Port()) + c.path +
                             "' > '" + UnixPath(folder + "curl_info") + "'",
                         15000);
        EXPECT_EQ(rc, 0) << c.path;
        EXPECT_EQ(ReadFile(out), c.body) << c.path;
        EXPECT_EQ(ReadFile(folder + "curl_info"), "200 " + c.type) << c.path;
        EXPECT_NE(ReadFile(head).find("Content-Length: " + IntToStr(static_cast<long long>(c.body.size()))),
                  std::string::npos);
    }
}

} // namespace
