#include "app/download_controller.h"

#include <algorithm>
#include <optional>
#include <set>

#include "core/archive.h"
#include "core/draw_dialog.h"
#include "exchange/proxy_list.h"
#include "exchange/site_pages.h"
#include "util/cp1251.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/ini.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kWaitText = "Загрузка архива тиражей...";

}  // namespace

TDownloadController::TDownloadController(TSessionCore& core, TArchiveController& archive,
                                         TConfigController& config)
    : core_(core), archive_(archive), config_(config), factory_(RealHttpFactory()) {}

TDownloadController::~TDownloadController() = default;

void TDownloadController::SetHttpFactory(THttpFactory factory) {
    factory_ = std::move(factory);
    client_.reset();
}

void TDownloadController::SetTimeouts(long connectMs, long readMs) {
    connectMs_ = connectMs;
    readMs_ = readMs;
}

THttpOptions TDownloadController::Options() const {
    THttpOptions o;
    o.caFile = config_.Services().CaFile;
    o.connectTimeoutMs = connectMs_;
    o.readTimeoutMs = readMs_;
    return o;
}

THttpPort& TDownloadController::Client() {
    // A changed CA file takes effect at the next request.
    if (!client_ || clientCaFile_ != config_.Services().CaFile) {
        THttpOptions o = Options();
        o.keepCookies = true;
        client_.reset();
        client_ = factory_(o);
        clientCaFile_ = o.caFile;
    }
    return *client_;
}

std::string TDownloadController::SiteBase() const {
    std::string base = Trim(config_.Services().SiteUrl);
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

void TDownloadController::ShowWait(const std::string& detail) {
    core_.Ui().WaitShow(detail.empty() ? std::string(kWaitText)
                                       : Format("%s\n\n%s", {std::string(kWaitText), detail}));
}

int TDownloadController::DrawsDownload() {
    int appended = 0;
    {
        TBusyScope busy(core_, kWaitText);
        ShowWait({});
        try {
            appended = DownloadNewDraws();
        } catch (const std::exception& e) {
            core_.ErrorBox(ErrorText(e));
        }
        try {
            if (finishedHook_) finishedHook_();
        } catch (const std::exception& e) {
            core_.ErrorBox(ErrorText(e));
        }
        core_.Ui().WaitClose();
    }
    core_.Invalidate(TUiPart::Actions);
    return appended;
}

int TDownloadController::DownloadNewDraws() {
    failed_ = false;
    int64_t from =
        archive_.Count() == 0 ? kFirstSiteDraw : int64_t{archive_.Draws().back().Number} + 1;
    int64_t last = -1;
    attempt_ = 1;
    int total = 0;
    int unsound = 0;
    while (true) {
        try {
            if (last == -1) last = std::min<int64_t>(GetSiteLastDraw(), kMaxDrawNumber);
            if (from > last) break;
            const int64_t to = from + kBatchSize - 1;
            const int n = LoadSiteDraws(static_cast<int>(from), static_cast<int>(to));
            SaveProxyIfChanged();
            if (n > 0) {
                total += n;
                archive_.AnnounceAppended();
            }
            if (batchHook_) batchHook_(static_cast<int>(from), static_cast<int>(to), n);
            unsound += unsound_;
            unsound_ = 0;
            from += kBatchSize;
        } catch (const std::exception& e) {
            unsound_ = 0;
            ++attempt_;
            if (DropFailedProxy()) continue;
            if (!RetryAfter(e)) {
                failed_ = true;
                break;
            }
        }
    }
    proxy_.Candidates.reset();
    if (unsound > 0)
        core_.WarningBox(Format(
            "Тиражей с недопустимыми числами пропущено: %d.\n\nТираж состоит из 8 разных чисел от "
            "1 до 20 и дополнительного числа от 1 до 4.",
            {unsound}));
    return total;
}

bool TDownloadController::RetryAfter(const std::exception& error) {
    const std::string failure =
        Format("Ошибка загрузки архива тиражей с сайта: \"%s\"", {ErrorText(error)});
    if (!askRetry_) {
        core_.ErrorBox(failure);
        return false;
    }
    TMessage m;
    m.kind = TMsgKind::Question;
    m.title = "Ошибка";
    m.text = failure + "\n\nПовторить попытку?";
    m.buttons = TMsgButtons::YesNo;
    // A silent or scripted answer must not retry a dead site for ever.
    m.defaultButton = TMsgResult::No;
    return core_.Ui().ShowMessage(m) == TMsgResult::Yes;
}

int TDownloadController::GetSiteLastDraw() {
    const std::string body = FetchArchiveTable(SiteArchiveUrl(SiteBase()));
    if (Trim(body).empty()) throw NeedChangeProxy();
    return TableLastDraw(body);
}

int TDownloadController::LoadSiteDraws(int from, int to) {
    core_.ShowStatus(Format("Загрузка тиражей %d - %d...", {from, to}));
    const TDrawsArray listed = TableDraws(FetchArchiveTable(SiteRangeUrl(SiteBase(), from, to)));
    // Only the draws asked for, each once and not held yet: a mirror that answers with other
    // draws cannot put duplicates into the archive. Records no draw can have are left out (the
    // archive would read back as damaged) and counted for the warning at the end.
    TDrawsArray fresh;
    std::set<int> seen;
    for (const TDraw& d : listed) {
        if (d.Number < from || d.Number > to || !seen.insert(d.Number).second ||
            FindDrawIndex(archive_.Draws(), d.Number) >= 0)
            continue;
        if (!IsSoundDraw(d)) {
            ++unsound_;
            continue;
        }
        fresh.push_back(d);
    }
    if (fresh.empty()) return 0;
    if (!archive_.AppendAndSave(fresh))
        throw EFileError("Не удалось сохранить загруженные тиражи в файл тиражей");
    return static_cast<int>(fresh.size());
}

std::string TDownloadController::FetchArchiveTable(const std::string& url) {
    return ArchiveTableBody(HttpGetPage(url, true));
}

std::string TDownloadController::HttpGetPage(const std::string& url, bool utf8) {
    if (!ApplyProxy(url)) return {};
    THttpPort& client = Client();
    client.SetTimeouts(connectMs_, readMs_);
    std::string body = client.Get(url);
    core_.Ui().ProcessEvents();
    // The program's text is UTF-8: a page in another encoding is converted, never stored raw.
    if (utf8) body = DecodeText(body, DetectTextEncoding(body));
    return body;
}

bool TDownloadController::ApplyProxy(const std::string& url) {
    bool applied = true;
    switch (proxy_.Mode) {
        case 1:
            if (proxy_.Server.empty() && !PickAutoProxy(url)) {
                Client().SetProxy({});
                applied = false;
            } else {
                Client().SetProxy({proxy_.Server, proxy_.Port, proxy_.Username, proxy_.Password});
            }
            break;
        case 2:
            Client().SetProxy({proxy_.Server, proxy_.Port, proxy_.Username, proxy_.Password});
            break;
        default:
            Client().SetProxy({});
            break;
    }
    if (proxy_.Mode != 0 && !proxy_.Server.empty())
        ShowWait(Format("Попытка %d, proxy %s : %d", {attempt_, proxy_.Server, proxy_.Port}));
    else
        ShowWait({});
    return applied;
}

bool TDownloadController::PickAutoProxy(const std::string& url) {
    try {
        if (!proxy_.Candidates || proxy_.Candidates->empty())
            if (!SearchProxies(url)) return false;
        const std::string candidate = proxy_.Candidates->front();
        const size_t colon = candidate.find(':');
        const auto port = colon == std::string::npos
                              ? std::nullopt
                              : TryStrToInt(Trim(candidate.substr(colon + 1)));
        const std::string host = Trim(candidate.substr(0, colon));
        if (!port || host.empty() || *port < kProxyPortMin || *port > kProxyPortMax)
            throw EConvertError(Format("Некорректный адрес proxy-сервера: \"%s\"", {candidate}));
        proxy_.Server = host;
        proxy_.Port = *port;
        proxy_.Username.clear();
        proxy_.Password.clear();
        proxy_.Saved = false;
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка автоматического выбора proxy сервера!\n\n%s", e);
        return false;
    }
}

bool TDownloadController::SearchProxies(const std::string& url) {
    ShowWait("Поиск proxy-серверов");
    if (!proxy_.Candidates) proxy_.Candidates.emplace();
    try {
        TProxyListQuery query;
        query.protocols = IsHttpsUrl(url) ? TProxyListQuery::Https
                                          : TProxyListQuery::Http | TProxyListQuery::Https;
        query.minUptime = 75;
        // Ten seconds: the list takes its limit in seconds.
        query.maxResponseMs = 10000;
        query.wanted = 30;
        THttpOptions o = Options();
        o.followRedirects = true;
        std::unique_ptr<THttpPort> list = factory_(o);
        list->SetTimeouts(connectMs_, readMs_);
        *proxy_.Candidates = FetchProxyList(*list, config_.Services().ProxyListUrl, query);
        if (proxy_.Candidates->empty())
            throw EZentrix("Не найдено ни одного proxy-сервера с заданными параметрами");
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка получения списка proxy-серверов!\n\n%s", e);
        return false;
    }
}

bool TDownloadController::DropFailedProxy() {
    if (proxy_.Mode != 1) return false;
    proxy_.Server.clear();
    proxy_.Username.clear();
    proxy_.Password.clear();
    proxy_.Port = 0;
    proxy_.Saved = false;
    if (!proxy_.Candidates) return false;
    if (!proxy_.Candidates->empty()) proxy_.Candidates->erase(proxy_.Candidates->begin());
    return !proxy_.Candidates->empty();
}

void TDownloadController::SaveProxyIfChanged() {
    if (!proxy_.Saved) SaveProxySettings(false);
}

void TDownloadController::LoadProxySettings() {
    TBusyScope busy(core_, "Загрузка файла конфигурации...");
    try {
        const TIniFile ini(core_.FilePath(".ini"));
        ReadProxySettings(ini, proxy_);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка чтения файла конфигурации!\n\n%s", e);
    }
}

bool TDownloadController::SaveProxySettings(bool withStatus) {
    std::optional<TBusyScope> busy;
    if (withStatus) busy.emplace(core_, "Сохранение файла конфигурации...");
    try {
        TIniFile ini(core_.FilePath(".ini"));
        WriteProxySettings(ini, proxy_);
        // It holds the proxy password: owner-only.
        ini.UpdateFile(true);
        proxy_.Saved = true;
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка записи в файл конфигурации!\n\n%s", e);
        return false;
    }
}

bool TDownloadController::ApplyProxy(const TProxyDialogModel& model) {
    ApplyProxyDialog(model, proxy_);
    return SaveProxySettings(true);
}

bool TDownloadController::SetProxyKey(const std::string& key, const std::string& value) {
    SetProxyValue(proxy_, key, value);
    return SaveProxySettings(false);
}

void TDownloadController::SetAutoDownload(TDownloadOnStart mode) {
    core_.Settings().Options().DownloadDrawsOnStart = mode;
    core_.StoreOption(&TMainOptions::DownloadDrawsOnStart);
    core_.Invalidate(TUiPart::Actions);
}

void TDownloadController::StartupDownload() {
    switch (core_.Settings().Options().DownloadDrawsOnStart) {
        case TDownloadOnStart::Ask:
            if (core_.Confirm("Обновить список тиражей?\n\nДля выполнения обновления необходимо "
                              "действующее подключение к сети Интернет."))
                DrawsDownload();
            break;
        case TDownloadOnStart::Download:
            DrawsDownload();
            break;
        case TDownloadOnStart::Nothing:
            break;
    }
}

bool TDownloadController::CanOpenLotoSite() const {
    return core_.NotBusy() && !SiteBase().empty();
}

void TDownloadController::OpenLotoSite() {
    core_.Ui().OpenDocument(BrowserAddress(SiteBase() + "/"));
}

}  // namespace zentrix
