#include "app/ratings_controller.h"

#include "app/window_placement.h"
#include "stakes/ratings_script.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr const char* kRatingsListName = "lvRatings";
// The "E" columns come last and do not sort.
constexpr int kFirstEffColumn = 15;

}  // namespace

TRatingsController::TRatingsController(TSessionCore& core, TStatsController& stats,
                                       TScenarioController& scenario)
    : core_(core), stats_(stats), scenario_(scenario), file_(core.FilePath(".lrt")) {}

TEffMode TRatingsController::EffMode() const {
    const int mode = static_cast<int>(core_.Settings().Options().RatingsEffMode);
    // A value edited by hand outside the three modes shows the default one.
    return mode >= 0 && mode <= 2 ? static_cast<TEffMode>(mode) : TEffMode::Absolute;
}

std::string TRatingsController::CountText() const {
    return Format("Рейтинг: %d", {Count()});
}

void TRatingsController::Refresh() {
    core_.SetStatusPanel(TStatusPanel::Ratings, CountText());
    core_.Invalidate(TUiPart::RatingsList);
}

void TRatingsController::Load() {
    const auto stored =
        ReadSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kRatingsListName);
    if (stored && stored->first >= 0 && stored->first < kRatingColumnCount) {
        sortColumn_ = stored->first;
        sortDescending_ = stored->second != 0;
    }
    if (FileExists(file_.Path())) {
        TBusyScope busy(core_, "Загрузка файла рейтинга...");
        try {
            file_.Load(ratings_);
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка чтения файла рейтинга!\n\n%s", e);
        }
        Resort();
    }
    Refresh();
}

void TRatingsController::Sort(int column, bool descending) {
    const bool changed = column != sortColumn_ || descending != sortDescending_;
    sortColumn_ = column;
    sortDescending_ = descending;
    if (changed) StoreSort();
    {
        TBusyScope busy(core_, "Сортировка рейтинга...");
        SortRatings(ratings_, column, descending);
    }
    Save();
}

void TRatingsController::SortByClick(int column) {
    if (column < 0 || column >= kFirstEffColumn) return;
    const bool descending = column == sortColumn_ ? !sortDescending_ : column != 0;
    Sort(column, descending);
}

void TRatingsController::StoreSort() {
    try {
        TWindowSettings& settings = core_.Settings();
        WriteSortType(settings.Ini(), TWindowSettings::kMainSection, kRatingsListName, sortColumn_,
                      sortDescending_ ? 1 : 0);
        settings.Save();
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
    }
}

bool TRatingsController::Save() {
    bool saved = true;
    {
        TBusyScope busy(core_, "Сохранение файла рейтинга...");
        try {
            file_.Save(ratings_);
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка записи в файл рейтинга!\n\n%s", e);
            saved = false;
        }
    }
    Refresh();
    return saved;
}

bool TRatingsController::Rebuild(const TStakesFile& stakes) {
    if (!ratings_.empty() && !core_.Confirm(kRebuildRatingsQuestion)) return false;
    try {
        TBusyScope busy(core_, "Обновление рейтинга...");
        ratings_ = RebuildRatings(stakes.ReadAll());
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка обновления рейтинга!\n\n%s", e);
        Refresh();
        return false;
    }
    Resort();
    return true;
}

void TRatingsController::Export() {
    TFileChoice choice;
    choice.save = true;
    choice.title = "Экспорт рейтинга в CSV-файл";
    choice.filter = "CSV-файлы (*.csv)|*.csv";
    choice.defaultExtension = "csv";
    const std::optional<std::string> path = core_.Ui().ChooseFile(choice);
    if (path && !path->empty()) ExportFile(*path);
}

bool TRatingsController::ExportFile(const std::string& path) {
    TBusyScope busy(core_, "Экспорт в CSV-файл...");
    try {
        ExportRatingsCsv(path, ratings_);
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(e.what());
        return false;
    }
}

bool TRatingsController::CanToScenario(const std::vector<size_t>& rows) const {
    return core_.NotBusy() && !rows.empty();
}

int TRatingsController::ToScenario(const std::vector<size_t>& rows) {
    TRatingsScript script;
    {
        TBusyScope busy(core_, "Генерация новых строк в сценарии...");
        script = RatingsToScript(ratings_, rows, stats_.Registry());
    }
    for (const std::string& error : script.errors) core_.ErrorBox(error);
    for (const std::string& line : script.lines) scenario_.AddScriptLine(line);
    return static_cast<int>(script.lines.size());
}

void TRatingsController::SetEffMode(TEffMode mode) {
    core_.Settings().Options().RatingsEffMode = static_cast<TRatingsEffMode>(mode);
    core_.StoreOption(&TMainOptions::RatingsEffMode);
    core_.Invalidate(TUiPart::RatingsList);
    core_.Invalidate(TUiPart::Actions);
}

}  // namespace zentrix
