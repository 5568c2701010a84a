#include "app/regulars_controller.h"

#include <algorithm>

#include "scenario/test_count_dialog.h"
#include "stakes/stake_make.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kReadFailure = "Ошибка чтения файла регулярных ставок!\n\n%s";
constexpr const char* kWriteFailure = "Ошибка записи в файл регулярных ставок!\n\n%s";
constexpr const char* kAppendFailure = "Ошибка добавления записи в файл ставок!\n\n%s";

// The other views stay as they are while the test moves the offset.
struct TSuspendedViews {
    TSessionCore& core;
    explicit TSuspendedViews(TSessionCore& c) : core(c) { core.SetViewsSuspended(true); }
    ~TSuspendedViews() { core.SetViewsSuspended(false); }
};

}  // namespace

TRegularsController::TRegularsController(TSessionCore& core, TArchiveController& archive,
                                         TCombsController& combs, TConfigController& config,
                                         TStakesController& stakes)
    : core_(core),
      archive_(archive),
      combs_(combs),
      config_(config),
      stakes_(stakes),
      file_(core.FilePath(".ltb")) {}

void TRegularsController::Refresh() {
    core_.Invalidate(TUiPart::RegularsList);
}

void TRegularsController::Load(bool damageAsWarning) {
    rules_.clear();
    // Anything in the file's place is read, so a folder or a device there is reported.
    if (Shown() && FileSize(file_.Path()) >= 0) {
        TBusyScope busy(core_, "Загрузка файла регулярных ставок...");
        try {
            file_.Load(rules_);
        } catch (const std::exception& e) {
            if (damageAsWarning)
                core_.WarningBox(Format(kReadFailure, {ErrorText(e)}));
            else
                core_.ReportFailure(kReadFailure, e);
        }
    }
    Refresh();
}

bool TRegularsController::ToggleTab() {
    bool& shown = core_.Settings().Options().TabTables;
    shown = !shown;
    core_.StoreOption(&TMainOptions::TabTables);
    if (shown) {
        Load();
    } else {
        rules_.clear();
        Refresh();
    }
    return shown;
}

bool TRegularsController::Commit(TRegularRules next) {
    bool saved = true;
    if (Shown()) {
        TBusyScope busy(core_, "Сохранение файла регулярных ставок...");
        try {
            file_.Save(next);
        } catch (const std::exception& e) {
            core_.ReportFailure(kWriteFailure, e);
            saved = false;
        }
    }
    if (saved) rules_ = std::move(next);
    Refresh();
    return saved;
}

bool TRegularsController::CheckRows(const std::vector<size_t>& rows) {
    for (size_t row : rows)
        if (row >= rules_.size()) {
            core_.ErrorBox(Format("Запись со индексом %d в файле данных не найдена!",
                                  {static_cast<int64_t>(row)}));
            return false;
        }
    return true;
}

TRegularAddDialog TRegularsController::OpenAdd(const std::vector<size_t>& selectedCombs) const {
    return TRegularAddDialog(combs_.Combs(), selectedCombs);
}

int TRegularsController::Add(const TRegularAddDialog& dialog, const TRegularDialogFields& fields) {
    if (!CanAdd()) return -1;
    TRegularRules next = rules_;
    size_t added = 0;
    try {
        TBusyScope busy(core_, "Создание регулярных ставок...");
        const TRegularRules made = dialog.Accept(fields, rules_);
        next.insert(next.end(), made.begin(), made.end());
        added = made.size();
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return -1;
    }
    return Commit(std::move(next)) ? static_cast<int>(added) : -1;
}

int TRegularsController::Delete(std::vector<size_t> rows) {
    if (!CanDelete(rows) || !CheckRows(rows)) return 0;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!core_.ConfirmDelete(static_cast<int>(rows.size()))) return 0;
    TRegularRules next = rules_;
    {
        TBusyScope busy(core_, "Удаление регулярных ставок...");
        for (auto row = rows.rbegin(); row != rows.rend(); ++row)
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(*row));
    }
    return Commit(std::move(next)) ? static_cast<int>(rows.size()) : 0;
}

std::optional<TRegularStakeDraft> TRegularsController::PrepareStake(
    const std::vector<size_t>& rows) {
    if (!CanStake(rows) || !CheckRows(rows)) return std::nullopt;
    TRegularStakeDraft draft;
    draft.row = rows.front();
    draft.advanced = rules_[draft.row];
    try {
        NextTableCombination(draft.advanced, archive_.Draws(), archive_.DrawsOffset());
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return std::nullopt;
    }
    draft.fields = stakes_.NewStakeFields(draft.advanced.CombCurrent);
    draft.fields.comment = draft.advanced.Comment;
    return draft;
}

bool TRegularsController::CommitStake(const TRegularStakeDraft& draft,
                                      const TStakeDialogFields& fields) {
    if (!CanStake({draft.row}) || !CheckRows({draft.row})) return false;
    // A refused dialog changes nothing, so its check comes before the rule is replaced.
    try {
        StakeDialogResult(fields, config_.Data(), 0, kStakeRegular);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return false;
    }
    const TRegularRule before = rules_[draft.row];
    TRegularRules next = rules_;
    next[draft.row] = draft.advanced;
    if (!Commit(std::move(next))) return false;
    if (stakes_.MakeStake(fields, kStakeRegular)) return true;
    // No stake was made: the rule goes back to where it was.
    next = rules_;
    next[draft.row] = before;
    Commit(std::move(next));
    return false;
}

int TRegularsController::Test(const std::vector<size_t>& rows) {
    if (!CanTest(rows) || !CheckRows(rows)) return 0;
    const TTestCountDialog dialog(archive_.Count());
    if (!dialog.Possible()) {
        core_.ErrorBox(kRegularsTestTooFewDraws);
        return 0;
    }
    for (;;) {
        const std::optional<std::string> text =
            core_.Ui().InputText(kTestCountTitle, kTestCountPrompt, std::to_string(dialog.initial));
        if (!text || TryStrToInt(Trim(*text)) == 0) return 0;
        if (const std::optional<int> passes = dialog.Accept(*text)) return RunTest(rows, *passes);
        core_.ErrorBox(
            Format("Количество тестов должно быть от %d до %d!", {dialog.minimum, dialog.maximum}));
    }
}

int TRegularsController::RunTest(const std::vector<size_t>& rows, int passes) {
    if (!CanTest(rows) || !CheckRows(rows)) return 0;
    passes = std::clamp(passes, 0, std::max(0, archive_.Count() - 1));
    const int initialOffset = archive_.DrawsOffset();
    const int32_t selection = static_cast<int32_t>(combs_.Combs().size());
    TRegularRules next = rules_;
    int made = 0;
    {
        TBusyScope busy(core_, "Создание ставок по регулярным табличным ставкам...");
        TSuspendedViews suspended(core_);
        bool failed = false;
        for (int offset = passes; offset >= 1 && !failed; --offset) {
            archive_.SetDrawsOffset(offset);
            for (size_t row : rows) {
                // The rule moves on only once its stake is written.
                TRegularRule rule = next[row];
                try {
                    NextTableCombination(rule, archive_.Draws(), offset);
                    AppendStake(stakes_.FileForWriting(),
                                RegularStake(config_.Data(), rule, stakes_.NextDraw(), selection));
                } catch (const EFileError& e) {
                    core_.ReportFailure(kAppendFailure, e);
                    failed = true;
                } catch (const std::exception& e) {
                    core_.ErrorBox(ErrorText(e));
                    failed = true;
                }
                if (failed) break;
                next[row] = rule;
                ++made;
            }
            core_.Ui().ProcessEvents();
        }
    }
    Commit(std::move(next));
    if (made > 0) stakes_.Check();
    stakes_.Refresh();
    archive_.SetDrawsOffset(initialOffset);
    return made;
}

}  // namespace zentrix
