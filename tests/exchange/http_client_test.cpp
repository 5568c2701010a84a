#include "exchange/http_client.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "support/web_server.h"

namespace zentrix {
namespace {

using test::TestCertificates;
using test::TWebServer;

THttpClient TrustingClient(THttpOptions options = {}) {
    options.caFile = TestCertificates().caFile;
    return THttpClient(options);
}

struct HttpClient : ::testing::Test {
    TWebServer server{&TestCertificates()};
    void SetUp() override {
        auto& r = server.Routes();
        r.Get("/page", [](const httplib::Request& q, httplib::Response& a) {
            // cpp-httplib compresses on its own when the request accepts gzip.
            a.set_content(std::string(5000, 'x') + q.get_header_value("User-Agent"), "text/html");
        });
        r.Get("/encoding", [](const httplib::Request& q, httplib::Response& a) {
            a.set_content(q.get_header_value("Accept-Encoding"), "text/plain");
        });
        r.Get("/moved",
              [](const httplib::Request&, httplib::Response& a) { a.set_redirect("/page"); });
        r.Get("/missing", [](const httplib::Request&, httplib::Response& a) { a.status = 404; });
        r.Get("/cookie", [](const httplib::Request& q, httplib::Response& a) {
            if (!q.has_header("Cookie")) a.set_header("Set-Cookie", "s=1; Path=/");
            a.set_content(q.get_header_value("Cookie"), "text/plain");
        });
        r.Get("/slow", [](const httplib::Request&, httplib::Response& a) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2500));
            a.set_content("late", "text/plain");
        });
        r.Post("/form", [](const httplib::Request& q, httplib::Response& a) {
            a.set_content(q.get_header_value("Content-Type") + "|" + q.body, "text/plain");
        });
        server.Start();
    }
};

TEST_F(HttpClient, GetsDecodesFollowsAndPosts) {
    THttpClient client = TrustingClient();
    const std::string page = client.Get(server.Url() + "/page");
    EXPECT_EQ(page.substr(0, 5000), std::string(5000, 'x'));
    EXPECT_NE(page.find("Chrome/47.0.2526.80"), std::string::npos);
    EXPECT_EQ(client.Get(server.Url() + "/encoding"), "gzip, deflate");
    EXPECT_EQ(client.Get(server.Url() + "/moved"), page);
    EXPECT_EQ(client.PostForm(server.Url() + "/form", {"a=1", "b=x%20y"}),
              "application/x-www-form-urlencoded|a=1&b=x%20y");
}

TEST_F(HttpClient, FailuresRaiseWithAReadableMessage) {
    THttpClient client = TrustingClient();
    try {
        client.Get(server.Url() + "/missing");
        FAIL();
    } catch (const EHttpError& e) {
        EXPECT_STREQ(e.what(), "Сервер ответил ошибкой HTTP 404");
    }
    THttpOptions noRedirects;
    noRedirects.followRedirects = false;
    EXPECT_EQ(TrustingClient(noRedirects).Get(server.Url() + "/moved"), "");

    THttpOptions quick;
    quick.readTimeoutMs = 1000;
    try {
        TrustingClient(quick).Get(server.Url() + "/slow");
        FAIL();
    } catch (const EHttpError& e) {
        EXPECT_NE(std::string(e.what()).find("Превышено время ожидания"), std::string::npos)
            << e.what();
    }
    const int closed = test::FreeLocalPort();
    try {
        client.Get("https://127.0.0.1:" + std::to_string(closed) + "/");
        FAIL();
    } catch (const EHttpError& e) {
        EXPECT_NE(std::string(e.what()).find("Не удалось подключиться к серверу 127.0.0.1"),
                  std::string::npos)
            << e.what();
    }
}

TEST_F(HttpClient, RefusesACertificateItDoesNotTrust) {
    TWebServer other(&test::UntrustedCertificates());
    other.Routes().Get("/", [](const httplib::Request&, httplib::Response& a) {
        a.set_content("secret", "text/plain");
    });
    other.Start();
    for (const std::string& ca : {TestCertificates().caFile, std::string()}) {
        THttpOptions options;
        options.caFile = ca;
        try {
            THttpClient(options).Get(other.Url() + "/");
            FAIL() << ca;
        } catch (const EHttpError& e) {
            EXPECT_NE(std::string(e.what()).find("Сертификат сервера не прошел проверку"),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST_F(HttpClient, KeepsCookiesWhenAsked) {
    THttpOptions keep;
    keep.keepCookies = true;
    THttpClient client = TrustingClient(keep);
    EXPECT_EQ(client.Get(server.Url() + "/cookie"), "");
    EXPECT_EQ(client.Get(server.Url() + "/cookie"), "s=1");
    THttpClient forgetful = TrustingClient();
    forgetful.Get(server.Url() + "/cookie");
    EXPECT_EQ(forgetful.Get(server.Url() + "/cookie"), "");
}

TEST(HttpProxy, CarriesRequestsThroughTinyproxy) {
    TWebServer site(&TestCertificates());
    site.Routes().Get("/archive", [](const httplib::Request&, httplib::Response& a) {
        a.set_content("table", "text/html");
    });
    site.Start();
    TWebServer plain;
    plain.Routes().Get("/list", [](const httplib::Request&, httplib::Response& a) {
        a.set_content("proxies", "text/html");
    });
    plain.Start();
    {
        test::TTinyproxy proxy;
        THttpClient client = TrustingClient();
        client.SetProxy({"127.0.0.1", proxy.Port(), "", ""});
        EXPECT_EQ(client.Get(site.Url() + "/archive"), "table");  // CONNECT tunnel
        EXPECT_EQ(client.Get(plain.Url() + "/list"), "proxies");
        EXPECT_EQ(proxy.RequestCount(), 2);
    }
    test::TTinyproxy guarded("user", "pw");
    THttpClient client = TrustingClient();
    client.SetProxy({"127.0.0.1", guarded.Port(), "user", "pw"});
    EXPECT_EQ(client.Get(plain.Url() + "/list"), "proxies");
    EXPECT_EQ(client.Get(site.Url() + "/archive"), "table");
    client.SetProxy({"127.0.0.1", guarded.Port(), "user", "wrong"});
    EXPECT_THROW(client.Get(plain.Url() + "/list"), EHttpError);
}

TEST(HttpUrls, Helpers) {
    EXPECT_TRUE(IsHttpsUrl("HTTPS://x"));
    EXPECT_FALSE(IsHttpsUrl("http://x"));
    EXPECT_EQ(UrlBasePath("https://a.b/c/d.php?x"), "https://a.b/c/");
    EXPECT_EQ(JoinQuery("a=1", "b=2"), "a=1&b=2");
    EXPECT_EQ(JoinQuery("", "b=2"), "b=2");
    EXPECT_EQ(JoinQuery("a=1", ""), "a=1");
}

}  // namespace
}  // namespace zentrix
