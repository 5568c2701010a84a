#include "app/stakes_controller.h"

#include <filesystem>

#include "app/log_files.h"
#include "core/comb_text.h"
#include "stakes/stake_check.h"
#include "stakes/stake_log.h"
#include "stakes/stake_view.h"
#include "util/datetime.h"
#include "util/format.h"

namespace zentrix {

TStakesController::TStakesController(TSessionCore& core, TArchiveController& archive,
                                     TCombsController& combs, TConfigController& config,
                                     TRatingsController& ratings)
    : core_(core), archive_(archive), combs_(combs), config_(config), ratings_(ratings) {}

int64_t TStakesController::Count() const {
    return file_.IsOpen() ? file_.Count() : 0;
}

std::vector<std::string> TStakesController::RowCells(int64_t row) const {
    return StakeCells(file_.Read(row - 1));
}

std::optional<TColor> TStakesController::RowColour(int64_t row) const {
    return StakeKindColour(file_.Read(row - 1).Kind);
}

std::vector<TNumberMark> TStakesController::RowNumberMarks(int64_t row, int column) const {
    return StakeNumberMarks(file_.Read(row - 1), column);
}

void TStakesController::Open(TExclusiveFile& hold) {
    {
        TBusyScope busy(core_, "Загрузка файла ставок...");
        try {
            const TStakesOpenReport report = file_.Open(hold);
            // The old content is kept aside rather than lost, so the warning says where.
            if (report.damaged)
                core_.WarningBox(Format(
                    "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут "
                    "удалены!\n\nПрежнее содержимое сохранено в файле \"%s\".",
                    {report.backup}));
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка чтения файла ставок!\n\n%s", e);
        }
    }
    Refresh();
}

void TStakesController::Close() {
    if (!file_.IsOpen()) return;
    TBusyScope busy(core_, "Сохранение файла ставок...");
    try {
        file_.Flush();
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка записи в файл ставок!\n\n%s", e);
    }
    file_.Close();
}

void TStakesController::Refresh() {
    core_.SetStatusPanel(TStatusPanel::Stakes, StakesCountText(Count()));
    core_.Invalidate(TUiPart::StakesList);
}

int32_t TStakesController::NextDraw() const {
    return StakeDraw(archive_.Draws(), archive_.DrawsOffset());
}

TStakeDialogFields TStakesController::NewStakeFields(const std::optional<TComb>& selected) const {
    return zentrix::NewStakeFields(NextDraw(), selected);
}

TStakeDialogFields TStakesController::RandomStakeFields(const TRandomIndex& random) const {
    const TCombsArray& list = combs_.Combs();
    if (list.empty()) return NewStakeFields(std::nullopt);
    return NewStakeFields(list[random(list.size()) % list.size()]);
}

bool TStakesController::CanMakeStake() const {
    return Available();
}

bool TStakesController::MakeStake(const TStakeDialogFields& fields, uint8_t kind) {
    if (!file_.IsOpen()) {
        core_.ErrorBox(kStakesNotOpen);
        return false;
    }
    TStakeDialogResult result;
    try {
        result = StakeDialogResult(fields, config_.Data(),
                                   static_cast<int32_t>(combs_.Combs().size()), kind);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return false;
    }
    return Append({result.stake}, result.draws, {});
}

bool TStakesController::CanMakeRandomStake() const {
    return Available() && !combs_.Combs().empty();
}

bool TStakesController::CanMakeStakesForCombs(const std::vector<size_t>& rows) const {
    return Available() && !rows.empty() && !combs_.Combs().empty();
}

bool TStakesController::MakeStakesForCombs(const std::vector<size_t>& rows,
                                           const TStakeDialogFields& fields) {
    return MakeStakesForList(combs_.Combs(), rows, fields);
}

bool TStakesController::MakeStakesForList(const TCombsArray& list, const std::vector<size_t>& rows,
                                          const TStakeDialogFields& fields) {
    if (!file_.IsOpen()) {
        core_.ErrorBox(kStakesNotOpen);
        return false;
    }
    std::vector<TStakeRec> stakes;
    try {
        const std::string comment = CheckMultiStakeFields(fields);
        stakes =
            StakesForCombs(config_.Data(), static_cast<int32_t>(fields.draw), list, rows, comment);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return false;
    }
    return Append(stakes, static_cast<int>(fields.draws), "Создание ставок...");
}

bool TStakesController::Append(const std::vector<TStakeRec>& stakes, int draws,
                               const std::string& status) {
    bool appended = true;
    {
        TBusyScope busy(core_, status);
        try {
            AppendStakes(file_, stakes, draws);
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка добавления записи в файл ставок!\n\n%s", e);
            appended = false;
        }
    }
    if (appended) Check();
    Refresh();
    return appended;
}

bool TStakesController::CanDeleteRows(int64_t firstRow, int64_t lastRow) const {
    return Available() && Count() > 0 && firstRow >= 1 && firstRow <= lastRow && lastRow <= Count();
}

int64_t TStakesController::DeleteRows(int64_t firstRow, int64_t lastRow) {
    if (!CanDeleteRows(firstRow, lastRow)) return 0;
    if (!core_.ConfirmDelete(static_cast<int>(lastRow - firstRow + 1))) return 0;
    int64_t dropped = 0;
    try {
        TBusyScope busy(core_, {});
        dropped = DeleteStakeRows(file_, firstRow, lastRow);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка удаления записи из файла ставок!\n\n%s", e);
    }
    Rewritten();
    return dropped;
}

int64_t TStakesController::DeleteWhere(TStakeCondition condition, int32_t value) {
    if (!CanDeleteWhere()) return 0;
    int64_t dropped = 0;
    try {
        TBusyScope busy(core_, {});
        dropped = DeleteStakesWhere(file_, condition, value);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка удаления записи из файла ставок!\n\n%s", e);
    }
    Rewritten();
    return dropped;
}

void TStakesController::Rewritten() {
    Check();
    Refresh();
}

bool TStakesController::ClearAll() {
    if (!CanClearAll()) return false;
    if (!core_.ConfirmDelete(static_cast<int>(Count()))) return false;
    bool cleared = true;
    try {
        TBusyScope busy(core_, {});
        ClearAllStakes(file_);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка удаления записи из файла ставок!\n\n%s", e);
        cleared = false;
    }
    Refresh();
    ratings_.Rebuild(file_);
    return cleared;
}

bool TStakesController::CanCheck() const {
    return Available() && Count() > 0;
}

int TStakesController::Check() {
    if (!file_.IsOpen() || file_.Count() == 0) return 0;
    int checked = 0;
    {
        TBusyScope busy(core_, "Проверка результатов ставок...");
        const bool logs = core_.Settings().Options().StakesLogEnabled;
        TCheckHooks hooks;
        hooks.checked = [&](const TStakeRec& stake) {
            ++checked;  // also those written before a failure
            ratings_.Add(stake);
            if (!logs) return;
            try {
                WriteStakeLog(file_.Path(), stake, Now());
            } catch (const std::exception& e) {
                core_.ErrorBox(e.what());
            }
        };
        hooks.progress = [&](long double percent) {
            core_.ShowStatus(
                Format("Проверка результатов ставок ( завершено %.0f %% )...", {percent}));
        };
        try {
            CheckStakes(file_, archive_.Draws(), config_.Data(), hooks);
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка проверки ставок!\n\n%s", e);
        }
    }
    if (checked > 0) ratings_.Resort();
    Refresh();
    return checked;
}

void TStakesController::ToggleScroll() {
    bool& option = core_.Settings().Options().StakesScrollEnabled;
    option = !option;
    core_.StoreOption(&TMainOptions::StakesScrollEnabled);
}

void TStakesController::ToggleLogs() {
    bool& option = core_.Settings().Options().StakesLogEnabled;
    option = !option;
    core_.StoreOption(&TMainOptions::StakesLogEnabled);
}

int TStakesController::DeleteLogs() {
    const std::string stem =
        std::filesystem::path(StakesStem(core_.FilePath(".lsk"))).filename().string();
    return DeleteLogFiles(core_, stem + "-", ".log");
}

std::optional<std::vector<TGraphPoint>> TStakesController::Graph(
    const std::function<std::vector<TGraphPoint>(const std::vector<TStakeRec>&)>& make) {
    std::vector<TStakeRec> stakes;
    try {
        TBusyScope busy(core_, {});
        stakes = file_.ReadAll();
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка поиска записи по номеру тиража в файле ставок!\n\n%s", e);
        return std::nullopt;
    }
    try {
        return make(stakes);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return std::nullopt;
    }
}

std::optional<std::vector<TGraphPoint>> TStakesController::ProfitGraph() {
    if (!CanGraph()) return std::nullopt;
    return Graph([](const std::vector<TStakeRec>& stakes) { return ProfitByDrawsGraph(stakes); });
}

std::optional<std::vector<TGraphPoint>> TStakesController::RatingGraph(
    const std::vector<size_t>& ratingRows, bool profit) {
    if (!CanRatingGraph(ratingRows)) return std::nullopt;
    std::vector<std::string> comments;
    for (size_t row : ratingRows)
        if (row < ratings_.Ratings().size()) comments.push_back(ratings_.Ratings()[row].Comment);
    return Graph([&](const std::vector<TStakeRec>& stakes) {
        return RatingStakesGraph(stakes, comments, profit);
    });
}

}  // namespace zentrix
