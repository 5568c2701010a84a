#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/archive_controller.h"
#include "app/config_controller.h"
#include "app/session_core.h"
#include "core/proxy_settings.h"
#include "exchange/http_client.h"

namespace zentrix {

// The draws archive's download from the lottery site: the download loop, the site's pages, the
// proxy settings with the automatic search, the start-up download and the actions of the menu.
// All requests go through an THttpPort, the real libcurl client unless a test gives another.
class TDownloadController {
  public:
    // The first draw the site lists: where an empty archive starts.
    static constexpr int kFirstSiteDraw = 491518;
    // Draw numbers per request.
    static constexpr int kBatchSize = 10;

    TDownloadController(TSessionCore& core, TArchiveController& archive, TConfigController& config);
    ~TDownloadController();

    // Tests: clients made by this factory instead of libcurl ones, and short time-outs.
    void SetHttpFactory(THttpFactory factory);
    void SetTimeouts(long connectMs, long readMs);
    // Without asking, a failure ends the download with an error box (the command line).
    void SetAskRetry(bool ask) { askRetry_ = ask; }
    // Called after every batch that was appended and saved: the range and how many draws came.
    void SetBatchHook(std::function<void(int from, int to, int appended)> hook) {
        batchHook_ = std::move(hook);
    }
    // Called after every download run, also after a failure (the stakes get checked).
    void SetFinishedHook(std::function<void()> hook) { finishedHook_ = std::move(hook); }

    TProxy& Proxy() { return proxy_; }
    int Attempt() const { return attempt_; }
    // The last run ended on a failure the user did not retry (or was not asked about).
    bool Failed() const { return failed_; }

    // The action DrawsDownload: busy, status and wait window around DownloadNewDraws, then the
    // finished hook. Returns the number of draws appended.
    bool CanDrawsDownload() const { return core_.NotBusy(); }
    int DrawsDownload();
    // Everything new, ten draw numbers per request; each batch saved and shown at once, and
    // kept when a later one fails. Returns the count appended.
    int DownloadNewDraws();
    // The newest draw number on the site, 0 when the page lists none.
    int GetSiteLastDraw();
    // Appends (and saves) the draws the site lists for from..to; the number appended.
    int LoadSiteDraws(int from, int to);
    // The body of the archive table of one page; ENeedChangeProxy without it.
    std::string FetchArchiveTable(const std::string& url);
    // GET with the proxy applied; empty when no proxy could be applied.
    std::string HttpGetPage(const std::string& url, bool utf8);

    bool ApplyProxy(const std::string& url);
    bool PickAutoProxy(const std::string& url);
    bool SearchProxies(const std::string& url);
    bool DropFailedProxy();
    void SaveProxyIfChanged();
    void LoadProxySettings();
    bool SaveProxySettings(bool withStatus);

    // EditProxy: the dialog opens on OpenProxy(); OK applies the model and saves.
    bool CanEditProxy() const { return core_.NotBusy(); }
    TProxyDialogModel OpenProxy() const { return OpenProxyDialog(proxy_); }
    bool ApplyProxy(const TProxyDialogModel& model);
    // Sets one PROXY key (the command line's config set) and saves.
    bool SetProxyKey(const std::string& key, const std::string& value);

    // AutoDownload0..2: stored at once.
    bool CanAutoDownload() const { return core_.NotBusy(); }
    void SetAutoDownload(TDownloadOnStart mode);
    // At the end of the start: asks, downloads or does nothing, by DownloadDrawsOnStart.
    void StartupDownload();

    // OpenLotoSite: the site's root page in the browser.
    bool CanOpenLotoSite() const;
    void OpenLotoSite();

  private:
    THttpOptions Options() const;
    THttpPort& Client();
    void ShowWait(const std::string& detail);
    std::string SiteBase() const;
    bool RetryAfter(const std::exception& error);

    TSessionCore& core_;
    TArchiveController& archive_;
    TConfigController& config_;
    THttpFactory factory_;
    std::unique_ptr<THttpPort> client_;
    std::string clientCaFile_;
    long connectMs_ = 5000;
    long readMs_ = 10000;
    bool askRetry_ = true;
    bool failed_ = false;
    TProxy proxy_;
    int attempt_ = 1;
    int unsound_ = 0;  // records of the current batch left out as no draw
    std::function<void(int, int, int)> batchHook_;
    std::function<void()> finishedHook_;
};

}  // namespace zentrix
