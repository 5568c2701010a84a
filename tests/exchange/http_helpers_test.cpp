#include "exchange/http_helpers.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include "exchange/proxy_list.h"
#include "support/fake_http.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

THttpOptions Trusting() {
    THttpOptions o;
    o.caFile = test::TestCertificates().caFile;
    return o;
}

TEST(HttpHelpers, GetTextPostFormAndGetToFile) {
    test::TWebServer server(&test::TestCertificates());
    server.Routes().Get("/file", [](const httplib::Request&, httplib::Response& a) {
        a.set_content("new content", "text/plain");
    });
    server.Routes().Get(
        "/moved", [](const httplib::Request&, httplib::Response& a) { a.set_redirect("/file"); });
    server.Routes().Post("/form", [](const httplib::Request& q, httplib::Response& a) {
        a.set_content(q.body, "text/plain");
    });
    server.Start();
    EXPECT_EQ(HttpGetText(server.Url() + "/moved", true, Trusting()), "new content");
    EXPECT_EQ(HttpGetText(server.Url() + "/moved", false, Trusting()), "");
    EXPECT_EQ(HttpPostForm(server.Url() + "/form", {"a=1", "b=2"}, true, Trusting()), "a=1&b=2");

    test::TTempDir dir;
    const std::string file = dir.File("SelfUpdates.inf");
    AtomicWriteFile(file, "old content that is longer");
    HttpGetToFile(server.Url() + "/moved", file, true, Trusting());
    EXPECT_EQ(ReadFileBytes(file), "new content");
    // A failed download leaves the file as it was.
    EXPECT_THROW(HttpGetToFile(server.Url() + "/missing", file, true, Trusting()), EHttpError);
    EXPECT_EQ(ReadFileBytes(file), "new content");
    EXPECT_THROW(HttpGetToFile("http://127.0.0.1:1/x", file, true), EHttpError);
    // Without the test CA the server's certificate is refused.
    EXPECT_THROW(HttpGetText(server.Url() + "/file", true), EHttpError);
}

TEST(HttpHelpers, AnExtraCaFileThatCannotBeReadIsReported) {
    THttpOptions o;
    o.caFile = "/nonexistent/ca.pem";
    try {
        THttpClient client(o);
        FAIL();
    } catch (const EHttpError& e) {
        EXPECT_NE(std::string(e.what()).find("Не удалось прочитать файл сертификатов"),
                  std::string::npos);
    }
}

TEST(HttpHelpers, BrowserAddress) {
    EXPECT_EQ(BrowserAddress("site.org/a"), "http://site.org/a");
    for (const char* kept : {"https://x", "HTTP://x", "ftp://x", "ftps://x"})
        EXPECT_EQ(BrowserAddress(kept), kept);
}

TEST(ProxyList, QueryText) {
    TProxyListQuery q;
    q.protocols = TProxyListQuery::Http | TProxyListQuery::Https;
    q.anonymity = 1 | 4;
    q.countries = " RU; de,";
    q.minUptime = 75;
    q.maxResponseMs = 10000;
    EXPECT_EQ(ProxyListQueryText(q, 1),
              "protocol=http&protocol=https&anonlvl=1&anonlvl=3&country=RU&country=de&"
              "min_uptime=75&max_response_time=10");
    EXPECT_EQ(ProxyListQueryText(TProxyListQuery{}, 3), "offset=30");
    EXPECT_EQ(ProxyListQueryText(TProxyListQuery{}, 1), "");
}

TEST(ProxyList, PagesAreReadWhileFullAndWanted) {
    test::TFakeHttp http;
    std::vector<std::pair<std::string, int>> page;
    for (int i = 0; i < kProxyListPageRows; ++i)
        page.push_back({"10.0.0." + std::to_string(i), 3128 + i % 2});
    http.answer = [&](const std::string& url, const THttpProxy&) {
        if (url.find("offset=30") != std::string::npos)
            return ProxyListPage({{"last.host", 3128}}, 3000);
        return ProxyListPage(page, 3000);
    };
    auto client = http.Factory()({});
    TProxyListQuery q;
    q.port = 3128;
    q.wanted = 100;
    const auto list = FetchProxyList(*client, "http://list.test/", q);
    EXPECT_EQ(http.Paths(), (std::vector<std::string>{"/", "/?offset=15", "/?offset=30"}));
    ASSERT_EQ(list.size(), 17u);  // 8 of each full page on port 3128, and the last one
    EXPECT_EQ(list.front(), "10.0.0.0:3128");
    EXPECT_EQ(list.back(), "last.host:3128");

    q.wanted = 5;
    http.requests.clear();
    EXPECT_EQ(FetchProxyList(*client, "http://list.test", q).size(), 8u);
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST(ProxyList, HostileRows) {
    test::TFakeHttp http;
    auto client = http.Factory()({});
    std::vector<std::string> list;
    // A host that is not a plain name never reaches the proxy settings.
    http.answer = [](const std::string&, const THttpProxy&) {
        return ProxyListPage({{"a@b/c", 80}, {"ok.host", 70000}, {"good", 81}}, 0);
    };
    EXPECT_EQ(ScrapeProxyPage(*client, "http://l", {}, 1, list), 3);
    EXPECT_EQ(list, std::vector<std::string>{"good:81"});
    http.answer = [](const std::string&, const THttpProxy&) {
        return std::string(
            "<tbody><tr><script>Base64.decode(\"eA==\") + (pb + x)</script></tbody>");
    };
    EXPECT_THROW(ScrapeProxyPage(*client, "http://l", {}, 1, list), EZentrix);
    http.answer = [](const std::string&, const THttpProxy&) { return std::string(); };
    EXPECT_EQ(ScrapeProxyPage(*client, "http://l", {}, 1, list), 0);
}

TEST(SettingsFile, OwnerOnlyWhenAsked) {
    test::TTempDir dir;
    const std::string path = dir.File("a.ini");
    AtomicWriteFile(path, "x", 0600);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    AtomicWriteFile(path, "y");  // a later save keeps the mode
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace zentrix
