#include "app/catalog_controller.h"

#include "app/list_sort.h"
#include "app/window_placement.h"
#include "util/format.h"
#include "util/strings.h"
#include "version.h"

namespace zentrix {

namespace {

constexpr const char* kLoadFailed = "Ошибка загрузки каталога online-сценариев!\n\n%s";
constexpr const char* kDownloadFailed = "Ошибка загрузки online-сценария!\n\n%s";
constexpr const char* kRateFailed = "Ошибка сохранения оценки online-сценария!\n\n%s";
constexpr const char* kTitleCheckFailed = "Ошибка проверки уникальности online-сценария!\n\n%s";
constexpr const char* kPutFailed = "Ошибка сохранения online-сценария в базе данных!\n\n%s";
constexpr const char* kRemoveFailed = "Ошибка удаления online-сценария из базы данных!\n\n%s";
constexpr const char* kRatesFailed = "Ошибка просмотра оценок online-сценария!\n\n%s";
constexpr const char* kSaveStatus = "Сохранение сценария в базе данных...";

}  // namespace

TServiceIdentity ServiceIdentity(TConfigController& config) {
    TServiceIdentity id;
    id.appId = kCatalogAppId;
    id.appVersion = kProgramVersion;
    id.computerId = config.ComputerId();
    id.userName = config.User().Name;
    id.userEmail = config.User().Email;
    id.lcid = kInterfaceLcid;
    return id;
}

TServiceTarget CatalogTarget(const TConfigController& config) {
    TServiceTarget t;
    t.baseUrl = config.Services().CatalogUrl;
    t.options.caFile = config.Services().CaFile;
    return t;
}

TCatalogController::TCatalogController(TSessionCore& core, TConfigController& config,
                                       TScenarioController& scenario)
    : core_(core), config_(config), scenario_(scenario) {}

void TCatalogController::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

bool TCatalogController::SelectId(int32_t id) {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].Id == id) {
            selected_ = static_cast<int>(i);
            return true;
        }
    return false;
}

const TScriptInfo* TCatalogController::SelectedEntry() const {
    return selected_ >= 0 ? &entries_[static_cast<size_t>(selected_)] : nullptr;
}

void TCatalogController::SetPanelShown(bool shown) {
    panelShown_ = shown;
}

void TCatalogController::SetFilterIndex(int index) {
    filterIndex_ = index >= 0 && index < static_cast<int>(CatalogFilterNames().size()) ? index : 2;
}

void TCatalogController::TogglePanel() {
    if (!CanTogglePanel()) return;
    TBusyScope busy(core_, {});
    panelShown_ = !panelShown_;
    core_.Settings().Options().ScriptLibraryOn = panelShown_;
    core_.StoreOption(&TMainOptions::ScriptLibraryOn);
    RefreshCatalog();
}

void TCatalogController::RestoreOptions() {
    const TMainOptions& o = core_.Settings().Options();
    panelShown_ = o.ScriptLibraryOn;
    SetFilterIndex(o.ScriptLibraryFilter);
    const auto sort =
        ReadSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kCatalogListName);
    if (sort && sort->first >= 0 && sort->first < static_cast<int>(CatalogColumns().size())) {
        sortColumn_ = sort->first;
        sortDescending_ = sort->second != 0;
    }
}

void TCatalogController::StoreOptions() {
    core_.Settings().Options().ScriptLibraryFilter = filterIndex_;
    WriteSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kCatalogListName,
                  sortColumn_, sortDescending_ ? 1 : 0);
}

void TCatalogController::Sort(int column, bool descending) {
    if (column < 0 || column >= static_cast<int>(CatalogColumns().size())) return;
    sortColumn_ = column;
    sortDescending_ = descending;
    Changed();
}

void TCatalogController::SortByClick(int column) {
    Sort(column, column == sortColumn_ && !sortDescending_);
}

void TCatalogController::Changed() {
    const std::optional<int32_t> id =
        SelectedEntry() ? std::optional(SelectedEntry()->Id) : std::nullopt;
    SortRowsByTexts(entries_, sortColumn_, sortDescending_,
                    [](const TScriptInfo& e) { return CatalogRowTexts(e); });
    // Ids are unique in the catalog, so the selected entry is found again by its id.
    selected_ = -1;
    if (id) SelectId(*id);
    core_.Invalidate(TUiPart::ScenarioCatalog);
    core_.Invalidate(TUiPart::Actions);
}

bool TCatalogController::CanRefresh() const {
    return Available();
}
bool TCatalogController::CanDownload() const {
    return Available() && SelectedEntry() && SelectedEntry()->Compatible;
}
bool TCatalogController::CanPublish() const {
    return Available() && scenario_.Count() > 0;
}
bool TCatalogController::CanReplace() const {
    return Available() && SelectedEntry() && SelectedEntry()->MineCompatible &&
           scenario_.Count() > 0;
}
bool TCatalogController::CanDelete() const {
    return Available() && SelectedEntry() && SelectedEntry()->MineCompatible;
}
bool TCatalogController::CanView() const {
    return Available() && SelectedEntry();
}
bool TCatalogController::CanRate() const {
    return CanView();
}
bool TCatalogController::CanRemoveRating() const {
    return CanView() && SelectedEntry()->MyRating != 0;
}

bool TCatalogController::Fail(const char* message, const std::exception& e) {
    core_.ReportFailure(message, e);
    return false;
}

void TCatalogController::RefreshCatalog() {
    TBusyScope busy(core_, "Загрузка online-каталога сценариев...");
    const TScriptInfo* was = panelShown_ ? SelectedEntry() : nullptr;
    const std::optional<int32_t> id = was ? std::optional(was->Id) : std::nullopt;
    entries_.clear();
    selected_ = -1;
    if (panelShown_) try {
            LoadCatalog(CatalogTarget(config_), ServiceIdentity(config_), filterIndex_ - 1,
                        kInterfaceLcid, entries_);
        } catch (const std::exception& e) {
            Fail(kLoadFailed, e);
        }
    if (id && panelShown_) SelectId(*id);
    Changed();
}

bool TCatalogController::Download() {
    if (!CanDownload()) return false;
    TBusyScope busy(core_, "Скачивание сценария из online-каталога...");
    std::vector<std::string> lines = scenario_.Scenario().Lines();
    try {
        if (!DownloadScript(CatalogTarget(config_), ServiceIdentity(config_), SelectedEntry()->Id,
                            lines))
            return false;
    } catch (const std::exception& e) {
        return Fail(kDownloadFailed, e);
    }
    scenario_.ReplaceLines(lines);
    return true;
}

TScriptData TCatalogController::NewScriptData() {
    TScriptData d;
    d.Author = config_.User().Name;
    d.Lcid = kInterfaceLcid;
    return d;
}

TScriptData TCatalogController::SelectedScriptData() const {
    return SelectedEntry() ? ScriptDataOf(*SelectedEntry()) : TScriptData{};
}

std::optional<TScriptDataProblem> TCatalogController::CheckScriptData(TScriptData& data) {
    using F = TScriptDataProblem::TField;
    const std::string title = Trim(data.Title);
    if (title.empty())
        return TScriptDataProblem{F::Title, "Название сценария должно быть указано обязательно!"};
    try {
        if (!IsTitleFree(CatalogTarget(config_), data.Id, title))
            return TScriptDataProblem{
                F::Title, "Сценарий с таким названием уже существует!\nВыберите другое название."};
    } catch (const std::exception& e) {
        Fail(kTitleCheckFailed, e);
        return TScriptDataProblem{F::Title, ""};
    }
    if (Trim(data.Author).empty())
        return TScriptDataProblem{F::Author, "Имя автора должно быть указано обязательно!"};
    data.Title = title;
    data.Author = Trim(data.Author);
    return std::nullopt;
}

bool TCatalogController::Publish(const TScriptData& data) {
    if (!CanPublish()) return false;
    TBusyScope busy(core_, kSaveStatus);
    const TServiceIdentity identity = ServiceIdentity(config_);
    int32_t id = -1;
    try {
        id = PutScript(CatalogTarget(config_), identity, data, scenario_.Scenario().Lines());
    } catch (const std::exception& e) {
        return Fail(kPutFailed, e);
    }
    if (id <= 0) return false;
    TScriptInfo e;
    ApplyScriptData(data, e);
    e.Id = id;
    e.AppName = kCatalogAppId;
    e.AppVersion = identity.appVersion;
    e.AuthorMail = identity.userEmail;
    e.Created = Now();
    e.Mine = e.Compatible = e.MineCompatible = true;
    entries_.push_back(std::move(e));
    selected_ = static_cast<int>(entries_.size()) - 1;
    Changed();
    return true;
}

bool TCatalogController::Replace(const TScriptData& data) {
    if (!CanReplace()) return false;
    TBusyScope busy(core_, kSaveStatus);
    TScriptData sent = data;
    sent.Id = SelectedEntry()->Id;
    int32_t id = -1;
    try {
        id = PutScript(CatalogTarget(config_), ServiceIdentity(config_), sent,
                       scenario_.Scenario().Lines());
    } catch (const std::exception& e) {
        return Fail(kPutFailed, e);
    }
    if (id <= 0) return false;
    TScriptInfo& e = entries_[static_cast<size_t>(selected_)];
    ApplyScriptData(sent, e);
    e.Id = id;
    e.AppVersion = kProgramVersion;
    e.Created = Now();
    Changed();
    return true;
}

bool TCatalogController::Delete() {
    if (!CanDelete()) return false;
    const TScriptInfo entry = *SelectedEntry();
    if (!core_.Confirm(Format("Вы действительно хотите удалить сценарий \"%s\"?", {entry.Title}),
                       false))
        return false;
    TBusyScope busy(core_, "Удаление сценария из базы данных...");
    int32_t answer = -1;
    try {
        answer =
            RemoveScript(CatalogTarget(config_), ServiceIdentity(config_), ScriptDataOf(entry));
    } catch (const std::exception& e) {
        return Fail(kRemoveFailed, e);
    }
    if (answer != 0) return false;
    entries_.erase(entries_.begin() + selected_);
    selected_ = -1;
    Changed();
    return true;
}

bool TCatalogController::Rate(int value, const std::string& comment) {
    if (value == 0 ? !CanRemoveRating() : !CanRate()) return false;
    bool rated = false;
    {
        TBusyScope busy(core_, "Отправка оценки на сервер...");
        try {
            rated =
                RateScript(CatalogTarget(config_), ServiceIdentity(config_), SelectedEntry()->Id,
                           value, kInterfaceLcid, value > 0 ? comment : std::string());
        } catch (const std::exception& e) {
            return Fail(kRateFailed, e);
        }
    }
    if (rated) RefreshCatalog();
    return rated;
}

std::optional<std::vector<TScriptRate>> TCatalogController::LoadRates() {
    if (!CanView()) return std::nullopt;
    TBusyScope busy(core_, "Загрузка списка оценок...");
    try {
        return LoadScriptRates(CatalogTarget(config_), SelectedEntry()->Id);
    } catch (const std::exception& e) {
        Fail(kRatesFailed, e);
        return std::nullopt;
    }
}

}  // namespace zentrix
