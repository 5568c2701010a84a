#include "app/download_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "app/session.h"
#include "core/archive_file.h"
#include "exchange/proxy_list.h"
#include "support/fake_http.h"
#include "support/fake_ui.h"
#include "support/site_html.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::SiteDraws;

constexpr int kFirst = TDownloadController::kFirstSiteDraw;
const char* const kSite = "https://site.test";
const char* const kList = "http://list.test";

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

struct Download : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    test::TFakeHttp http;
    TMainSession session{dir.Path(), ui};
    TDownloadController& download = session.Download();
    TDrawsArray site = SiteDraws(kFirst, kFirst + 24);

    Download() {
        WriteIni("[SERVICES]\r\nSiteUrl=https://site.test/\r\nProxyListUrl=http://list.test\r\n");
        http.answer = [this](const std::string& url, const THttpProxy&) {
            return test::SitePageFor(site, url.substr(std::string(kSite).size()));
        };
        download.SetHttpFactory(http.Factory());
    }
    void WriteIni(const std::string& text) {
        AtomicWriteFile(dir.File("Zentrix_8x20.ini"), text);
        session.LoadConfig();
    }
    void Start() {
        ASSERT_TRUE(session.Initialize());
        ui.Clear();
        http.requests.clear();
    }
    TDrawsArray OnDisk() const { return ReadDrawsFile(dir.File("Zentrix_8x20.ldr")).draws; }
    std::vector<std::string> Questions() const {
        std::vector<std::string> q;
        for (const TMessage& m : ui.messages)
            if (m.buttons == TMsgButtons::YesNo) q.push_back(m.title + ":" + m.text);
        return q;
    }
};

TEST_F(Download, AnEmptyArchiveGetsEverythingInBatchesOfTen) {
    Start();
    EXPECT_EQ(download.DrawsDownload(), 25);
    EXPECT_EQ(http.Paths(),
              (std::vector<std::string>{"/archive", "/archive?from=491518&to=491527&filter_by=draw",
                                        "/archive?from=491528&to=491537&filter_by=draw",
                                        "/archive?from=491538&to=491547&filter_by=draw"}));
    EXPECT_EQ(session.Archive().Draws(), site);
    EXPECT_EQ(OnDisk(), site);
    const auto status = ui.StatusTexts();
    EXPECT_EQ(status.front(), "Загрузка архива тиражей...");
    EXPECT_TRUE(Contains(status, "Загрузка тиражей 491528 - 491537..."));
    EXPECT_TRUE(Contains(status, "Сохранение файла тиражей..."));
    EXPECT_EQ(ui.status, "");
    EXPECT_TRUE(Contains(ui.events, "wait-close"));
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts().front();
    EXPECT_TRUE(session.Core().NotBusy());
    EXPECT_EQ(ui.panels[0], "Архив тиражей: 25");

    // Up to date: only the archive page is read.
    http.requests.clear();
    EXPECT_EQ(download.DrawsDownload(), 0);
    EXPECT_EQ(http.Paths(), std::vector<std::string>{"/archive"});
}

TEST_F(Download, OddRowsAreLeftOutAndTheRestIsAppendedOldestFirst) {
    Start();
    site = SiteDraws(kFirst, kFirst + 3);
    TDraw unsound = site[1];
    unsound.Numbers[3] = unsound.Numbers[2];  // a repeated number
    site[1] = unsound;
    TDraw stranger = site[0];
    stranger.Number = kFirst + 100;  // outside the range asked for
    TDrawsArray served = site;
    served.push_back(stranger);
    http.answer = [&](const std::string& url, const THttpProxy&) {
        const std::string path = url.substr(std::string(kSite).size());
        return path == "/archive" ? test::SiteArchivePage(site) : test::SiteArchivePage(served);
    };
    EXPECT_EQ(download.DrawsDownload(), 3);
    EXPECT_EQ(session.Archive().Draws(), (TDrawsArray{site[0], site[2], site[3]}));
    EXPECT_TRUE(Contains(ui.MessageTexts(), "Тиражей с недопустимыми числами пропущено: 1."));
}

TEST_F(Download, ALaterBatchThatFailsKeepsTheSavedOnesAndAsks) {
    Start();
    int failures = 1;
    auto serve = http.answer;
    http.answer = [&](const std::string& url, const THttpProxy& p) -> std::string {
        if (url.find("from=491528") != std::string::npos && failures-- > 0)
            throw EHttpError("Превышено время ожидания ответа сервера");
        return serve(url, p);
    };
    ui.answers = {TMsgResult::No};
    EXPECT_EQ(download.DrawsDownload(), 10);
    EXPECT_TRUE(download.Failed());
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0],
              "Ошибка:Ошибка загрузки архива тиражей с сайта: \"Превышено время ожидания ответа "
              "сервера\"\n\nПовторить попытку?");
    EXPECT_EQ(OnDisk(), TDrawsArray(site.begin(), site.begin() + 10));

    // Yes repeats the same batch.
    failures = 1;
    ui.Clear();
    ui.answers = {TMsgResult::Yes};
    EXPECT_EQ(download.DrawsDownload(), 15);
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(OnDisk(), site);
    EXPECT_FALSE(download.Failed());
}

TEST_F(Download, APageWithoutTheTableAsksToChangeTheProxy) {
    Start();
    http.answer = [](const std::string&, const THttpProxy&) {
        return std::string("<html>Доступ запрещен</html>");
    };
    EXPECT_EQ(download.DrawsDownload(), 0);
    EXPECT_TRUE(Contains(Questions(),
                         "Не удалось загрузить список тиражей! Возможно необходимо "
                         "перенастроить параметры proxy-сервера"));
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20.ldr")));
}

TEST_F(Download, ManualProxyIsAppliedAsItIs) {
    WriteIni(
        "[SERVICES]\r\nSiteUrl=https://site.test\r\n[PROXY]\r\nProxyServer=gate\r\n"
        "ProxyPort=3128\r\nProxyUsername=u\r\nProxyPassword=p\r\n");
    EXPECT_EQ(download.Proxy().Mode, 2);  // no ProxyMode key, a server
    Start();
    download.DrawsDownload();
    ASSERT_FALSE(http.requests.empty());
    for (const auto& r : http.requests) {
        EXPECT_EQ(r.proxy.server, "gate");
        EXPECT_EQ(r.proxy.port, 3128);
        EXPECT_EQ(r.proxy.username, "u");
        EXPECT_EQ(r.proxy.password, "p");
    }
    EXPECT_TRUE(
        Contains(ui.events, "wait:Загрузка архива тиражей...\n\nПопытка 1, proxy gate : 3128"));

    // Manual with an empty server goes without a proxy.
    WriteIni("[SERVICES]\r\nSiteUrl=https://site.test\r\n[PROXY]\r\nProxyMode=2\r\n");
    http.requests.clear();
    download.DrawsDownload();
    ASSERT_FALSE(http.requests.empty());
    for (const auto& r : http.requests) EXPECT_EQ(r.proxy.server, "");
}

struct AutoProxy : Download {
    std::vector<std::string> dead;
    std::vector<std::pair<std::string, int>> listed;
    int listReads = 0;

    AutoProxy() {
        WriteIni(
            "[SERVICES]\r\nSiteUrl=https://site.test\r\nProxyListUrl=http://list.test\r\n"
            "[PROXY]\r\nProxyMode=1\r\n");
        listed = {{"10.0.0.1", 8080}, {"10.0.0.2", 8081}, {"good.proxy", 3128}};
        http.answer = [this](const std::string& url, const THttpProxy& p) -> std::string {
            if (url.rfind(kList, 0) == 0) {
                ++listReads;
                return ProxyListPage(listed, 1000);
            }
            if (std::find(dead.begin(), dead.end(), p.server) != dead.end())
                throw EHttpError("Не удалось найти proxy-сервер");
            return test::SitePageFor(site, url.substr(std::string(kSite).size()));
        };
    }
};

TEST_F(AutoProxy, FailedCandidatesAreDroppedSilentlyAndTheWorkingOneIsKept) {
    dead = {"10.0.0.1", "10.0.0.2"};
    Start();
    EXPECT_EQ(download.DrawsDownload(), 25);
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(listReads, 1);
    EXPECT_EQ(http.requests[0].url,
              "http://list.test/?protocol=https&min_uptime=75&max_response_time=10");
    EXPECT_EQ(http.requests[0].proxy.server, "");  // the list is read without a proxy
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "good.proxy");
    EXPECT_EQ(ini.ReadInteger("PROXY", "ProxyPort", 0), 3128);
    EXPECT_EQ(ini.ReadString("SERVICES", "SiteUrl", ""), "https://site.test");
    EXPECT_TRUE(Contains(ui.events,
                         "wait:Загрузка архива тиражей...\n\nПопытка 3, proxy good.proxy : 3128"));
    EXPECT_FALSE(download.Proxy().Candidates.has_value());
    struct stat st {};
    ASSERT_EQ(stat(dir.File("Zentrix_8x20.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(AutoProxy, AnExhaustedListAsksAndYesSearchesAgain) {
    dead = {"10.0.0.1", "10.0.0.2", "good.proxy"};
    Start();
    ui.answers = {TMsgResult::Yes, TMsgResult::No};
    EXPECT_EQ(download.DrawsDownload(), 0);
    EXPECT_EQ(Questions().size(), 2u);
    EXPECT_EQ(listReads, 2);
}

TEST_F(AutoProxy, AnEmptyListIsReported) {
    listed.clear();
    Start();
    EXPECT_EQ(download.DrawsDownload(), 0);
    EXPECT_TRUE(Contains(ui.MessageTexts(),
                         "Ошибка получения списка proxy-серверов!\n\nНе найдено ни "
                         "одного proxy-сервера с заданными параметрами"));
    EXPECT_EQ(Questions().size(), 1u);
}

TEST_F(Download, ProxyDialogSavesOwnerOnly) {
    TProxyDialogModel m = download.OpenProxy();
    EXPECT_EQ(m.option, TProxyMode::None);
    m.option = TProxyMode::Manual;
    m.server = " gate ";
    m.port = 8080;
    m.username = "me";
    m.password = "secret";
    EXPECT_TRUE(download.ApplyProxy(m));
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadInteger("PROXY", "ProxyMode", -1), 2);
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "gate");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPassword", ""), "secret");
    EXPECT_TRUE(Contains(ui.StatusTexts(), "Сохранение файла конфигурации..."));
    struct stat st {};
    ASSERT_EQ(stat(dir.File("Zentrix_8x20.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    m.option = TProxyMode::Auto;
    download.ApplyProxy(m);
    EXPECT_EQ(download.Proxy().Mode, 1);
    EXPECT_EQ(download.Proxy().Server, "");
    EXPECT_EQ(download.Proxy().Port, 0);
    EXPECT_TRUE(download.Proxy().Saved);
}

TEST_F(Download, StartupModes) {
    Start();
    ui.answers = {TMsgResult::No};
    download.StartupDownload();
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0],
              "Подтверждение:Обновить список тиражей?\n\nДля выполнения обновления необходимо "
              "действующее подключение к сети Интернет.");
    EXPECT_TRUE(http.requests.empty());

    download.SetAutoDownload(TDownloadOnStart::Nothing);
    ui.Clear();
    download.StartupDownload();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(http.requests.empty());
    EXPECT_EQ(
        TIniFile(dir.File("Zentrix_8x20.frm")).ReadInteger("TFormMain", "DownloadDrawsOnStart", -1),
        2);

    download.SetAutoDownload(TDownloadOnStart::Download);
    download.StartupDownload();
    EXPECT_EQ(session.Archive().Count(), 25);
}

TEST_F(Download, LoadOnlyDownloadsDuringTheInitialization) {
    TStartupSwitches switches;
    switches.loadOnly = true;
    ASSERT_TRUE(session.Initialize(switches));
    EXPECT_EQ(session.Archive().Count(), 25);
}

TEST_F(Download, OpensTheSiteInTheBrowser) {
    EXPECT_TRUE(download.CanOpenLotoSite());
    download.OpenLotoSite();
    EXPECT_EQ(ui.events.back(), "open:https://site.test/");
}

}  // namespace
}  // namespace zentrix
