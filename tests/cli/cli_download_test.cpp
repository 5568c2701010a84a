#include <gtest/gtest.h>
#include <httplib.h>

#include "core/archive_file.h"
#include "support/cli_run.h"
#include "support/site_html.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;

struct CliDownload : ::testing::Test {
    test::TTempDir dir;
    test::TWebServer site{&test::TestCertificates()};
    TDrawsArray draws = test::SiteDraws(491518, 491539);
    bool failSecond = false;

    void SetUp() override {
        site.Routes().Get("/archive", [this](const httplib::Request& q, httplib::Response& a) {
            if (failSecond && q.get_param_value("from") == "491528") {
                a.status = 503;
                return;
            }
            std::string path = "/archive";
            if (q.has_param("from"))
                path += "?from=" + q.get_param_value("from") + "&to=" + q.get_param_value("to");
            a.set_content(test::SitePageFor(draws, path), "text/html");
        });
        site.Start();
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    void Point(const std::string& url) {
        ASSERT_EQ(Run({"config", "set", "SERVICES", "SiteUrl", url}).status, 0);
        ASSERT_EQ(
            Run({"config", "set", "SERVICES", "CaFile", test::TestCertificates().caFile}).status,
            0);
    }
};

TEST_F(CliDownload, PrintsEachBatchAndTheCount) {
    Point(site.Url());
    const auto r = Run({"draws", "download"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "491518\t491527\t10\n491528\t491537\t10\n491538\t491547\t2\n22\n");
    EXPECT_EQ(ReadDrawsFile(dir.File("Zentrix_8x20.ldr")).draws, draws);
    EXPECT_EQ(Run({"draws", "download"}).out, "0\n");
}

TEST_F(CliDownload, AFailureExitsWithTheMessageAfterSavingWhatCame) {
    failSecond = true;
    Point(site.Url());
    const auto r = Run({"draws", "download"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "491518\t491527\t10\n10\n");
    EXPECT_NE(
        r.err.find("Ошибка загрузки архива тиражей с сайта: \"Сервер ответил ошибкой HTTP 503\""),
        std::string::npos)
        << r.err;
    EXPECT_EQ(ReadDrawsFile(dir.File("Zentrix_8x20.ldr")).draws.size(), 10u);
}

TEST_F(CliDownload, ServicesAndProxyKeysAreShownAndChecked) {
    Point(site.Url());
    EXPECT_EQ(Run({"config", "set", "SERVICES", "SiteUrl", "ftp://x"}).status, 1);
    EXPECT_EQ(Run({"config", "set", "SERVICES", "CaFile", dir.File("none.pem")}).status, 1);
    EXPECT_EQ(Run({"config", "set", "PROXY", "ProxyPort", "70000"}).status, 1);
    ASSERT_EQ(Run({"config", "set", "PROXY", "ProxyPassword", "pw"}).status, 0);
    const std::string out = Run({"config", "show"}).out;
    EXPECT_NE(out.find("SERVICES\tSiteUrl\t" + site.Url() + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("SERVICES\tUpdateUrl\thttps://"), std::string::npos);
    EXPECT_NE(out.find("PROXY\tProxyPassword\t***\n"), std::string::npos);
    EXPECT_NE(ReadFileBytes(dir.File("Zentrix_8x20.ini")).find("ProxyPassword=pw"),
              std::string::npos);
}

}  // namespace
}  // namespace zentrix
