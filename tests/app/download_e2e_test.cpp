// The download end to end: the real libcurl client against a local HTTPS site, a real tinyproxy
// and a local proxy-list page.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "app/session.h"
#include "core/archive_file.h"
#include "exchange/proxy_list.h"
#include "support/fake_ui.h"
#include "support/site_html.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::TestCertificates;
using test::TWebServer;

constexpr int kFirst = TDownloadController::kFirstSiteDraw;

// The lottery site: "/archive" redirects to the newest draws; range requests answer at once, and
// each may be given one fault for its first request.
class TSite {
  public:
    enum class TFault { None, Torn, NoTable, Slow };

    explicit TSite(const test::TTestCertificates& certificates = TestCertificates())
        : server_(&certificates) {
        auto& r = server_.Routes();
        r.Get("/archive", [this](const httplib::Request& q, httplib::Response& a) {
            if (!q.has_param("from")) return a.set_redirect("/archive/latest");
            Serve("/archive?from=" + q.get_param_value("from") + "&to=" + q.get_param_value("to") +
                      "&filter_by=draw",
                  q.get_param_value("from"), a);
        });
        r.Get("/archive/latest", [this](const httplib::Request&, httplib::Response& a) {
            Serve("/archive", "latest", a);
        });
        r.set_logger([this](const httplib::Request&, const httplib::Response& a) {
            if (a.get_header_value("Content-Encoding") == "gzip") ++gzipped;
        });
        server_.Start();
    }

    std::string Url() const { return server_.Url(); }
    void Fault(const std::string& from, TFault fault) {
        std::lock_guard lock(mutex_);
        faults_.push_back({from, fault});
    }

    TDrawsArray draws = test::SiteDraws(kFirst, kFirst + 24);
    std::atomic<int> gzipped{0};

  private:
    void Serve(const std::string& path, const std::string& key, httplib::Response& a) {
        TFault fault = TFault::None;
        {
            std::lock_guard lock(mutex_);
            auto it = std::find_if(faults_.begin(), faults_.end(),
                                   [&](const auto& f) { return f.first == key; });
            if (it != faults_.end()) {
                fault = it->second;
                faults_.erase(it);
            }
        }
        const std::string page = test::SitePageFor(draws, path);
        switch (fault) {
            case TFault::None:
                a.set_content(page, "text/html; charset=utf-8");
                break;
            case TFault::NoTable:
                a.set_content("<html><body>Сервис временно недоступен</body></html>", "text/html");
                break;
            case TFault::Slow:
                std::this_thread::sleep_for(std::chrono::milliseconds(2200));
                a.set_content(page, "text/html");
                break;
            case TFault::Torn:
                // Half the page, then the connection is dropped.
                a.set_content_provider(page.size(), "text/html",
                                       [page](size_t, size_t, httplib::DataSink& sink) {
                                           sink.write(page.data(), page.size() / 2);
                                           return false;
                                       });
                break;
        }
    }

    TWebServer server_;
    std::mutex mutex_;
    std::vector<std::pair<std::string, TFault>> faults_;
};

struct DownloadE2E : ::testing::Test {
    // Made by each test; it outlives the session, whose client keeps its connection open.
    std::unique_ptr<TSite> site;
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TDownloadController& download = session.Download();

    void Configure(const std::string& siteUrl, const std::string& more = {}) {
        AtomicWriteFile(dir.File("Zentrix_8x20.ini"),
                        "[SERVICES]\r\nSiteUrl=" + siteUrl +
                            "\r\nCaFile=" + TestCertificates().caFile + "\r\n" + more);
        session.LoadConfig();
        download.SetTimeouts(1000, 1000);
        ASSERT_TRUE(session.Initialize());
        ui.Clear();
    }
    TDrawsArray OnDisk() const { return ReadDrawsFile(dir.File("Zentrix_8x20.ldr")).draws; }
    std::vector<std::string> Questions() const {
        std::vector<std::string> q;
        for (const TMessage& m : ui.messages)
            if (m.buttons == TMsgButtons::YesNo) q.push_back(m.text);
        return q;
    }
};

TEST_F(DownloadE2E, BatchesOverHttpsWithGzipAndARedirect) {
    site = std::make_unique<TSite>();
    Configure(site->Url());
    EXPECT_EQ(download.DrawsDownload(), 25);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts().front();
    EXPECT_EQ(OnDisk(), site->draws);
    EXPECT_GT(site->gzipped.load(), 0);
}

TEST_F(DownloadE2E, FaultsAskAndRetriesCompleteTheArchive) {
    site = std::make_unique<TSite>();
    site->Fault("491528", TSite::TFault::Torn);
    site->Fault("491538", TSite::TFault::NoTable);
    site->Fault("491538", TSite::TFault::Slow);
    Configure(site->Url());
    ui.answers = {TMsgResult::Yes, TMsgResult::Yes, TMsgResult::Yes};
    EXPECT_EQ(download.DrawsDownload(), 25);
    const auto q = Questions();
    ASSERT_EQ(q.size(), 3u);
    EXPECT_NE(q[0].find("Ошибка передачи данных"), std::string::npos) << q[0];
    EXPECT_NE(q[1].find("Не удалось загрузить список тиражей!"), std::string::npos) << q[1];
    EXPECT_NE(q[2].find("Превышено время ожидания ответа сервера"), std::string::npos) << q[2];
    EXPECT_EQ(OnDisk(), site->draws);
}

TEST_F(DownloadE2E, NoKeepsTheBatchesAlreadySaved) {
    site = std::make_unique<TSite>();
    site->Fault("491528", TSite::TFault::Torn);
    Configure(site->Url());
    ui.answers = {TMsgResult::No};
    EXPECT_EQ(download.DrawsDownload(), 10);
    EXPECT_EQ(OnDisk(), TDrawsArray(site->draws.begin(), site->draws.begin() + 10));
    // The next run goes on from there.
    EXPECT_EQ(download.DrawsDownload(), 15);
    EXPECT_EQ(OnDisk(), site->draws);
}

TEST_F(DownloadE2E, ACertificateNotTrustedIsRefused) {
    site = std::make_unique<TSite>(test::UntrustedCertificates());
    Configure(site->Url());
    EXPECT_EQ(download.DrawsDownload(), 0);
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_NE(Questions()[0].find("Сертификат сервера не прошел проверку: соединение не защищено"),
              std::string::npos)
        << Questions()[0];
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20.ldr")));
}

TEST_F(DownloadE2E, ThroughTinyproxyWithAndWithoutAUser) {
    site = std::make_unique<TSite>();
    {
        test::TTinyproxy proxy;
        Configure(site->Url(), "[PROXY]\r\nProxyMode=2\r\nProxyServer=127.0.0.1\r\nProxyPort=" +
                                   std::to_string(proxy.Port()) + "\r\n");
        EXPECT_EQ(download.DrawsDownload(), 25);
        EXPECT_GT(proxy.RequestCount(), 0);
    }
    test::TTinyproxy guarded("reader", "s3cret");
    site->draws = test::SiteDraws(kFirst, kFirst + 34);
    TProxyDialogModel m = download.OpenProxy();
    m.port = guarded.Port();
    m.username = "reader";
    m.password = "s3cret";
    ASSERT_TRUE(download.ApplyProxy(m));
    EXPECT_EQ(download.DrawsDownload(), 10);
    EXPECT_GT(guarded.RequestCount(), 0);
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(OnDisk(), site->draws);
}

TEST_F(DownloadE2E, AutomaticModeSkipsADeadProxyFromTheList) {
    site = std::make_unique<TSite>();
    test::TTinyproxy proxy;
    const int dead = test::FreeLocalPort();
    TWebServer list;
    list.Routes().Get("/", [&](const httplib::Request&, httplib::Response& a) {
        a.set_content(ProxyListPage({{"127.0.0.1", dead}, {"127.0.0.1", proxy.Port()}}, 1000),
                      "text/html");
    });
    list.Start();
    Configure(site->Url(), "ProxyListUrl=" + list.Url() + "\r\n[PROXY]\r\nProxyMode=1\r\n");
    EXPECT_EQ(download.DrawsDownload(), 25);
    EXPECT_TRUE(Questions().empty()) << Questions().front();
    EXPECT_EQ(OnDisk(), site->draws);
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadInteger("PROXY", "ProxyPort", 0), proxy.Port());
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "127.0.0.1");
}

}  // namespace
}  // namespace zentrix
