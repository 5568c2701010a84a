#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/archive_controller.h"
#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/session_core.h"
#include "app/stakes_controller.h"
#include "stakes/regular_dialog.h"
#include "stakes/regular_rule.h"
#include "stakes/regular_table.h"
#include "stakes/stake_dialog.h"

namespace zentrix {

inline constexpr const char* kRegularsTestTooFewDraws =
    "Для теста регуляров в архиве должно быть не менее двух тиражей!";

// A stake prepared from a rule: the rule advanced on a copy and the stake dialog's fields.
struct TRegularStakeDraft {
    size_t row = 0;
    TRegularRule advanced;
    TStakeDialogFields fields;
};

// The page "Регуляры": the rules in file order, their file rewritten after every change, and the
// page's commands. While the page is hidden the rules are not held and the file is left alone.
class TRegularsController {
  public:
    TRegularsController(TSessionCore& core, TArchiveController& archive, TCombsController& combs,
                        TConfigController& config, TStakesController& stakes);

    bool Shown() const { return core_.Settings().Options().TabTables; }
    const TRegularRules& Rules() const { return rules_; }
    int Count() const { return static_cast<int>(rules_.size()); }
    std::vector<std::string> RowCells(size_t row) const { return RegularCells(rules_.at(row)); }
    TTextTable Table() const { return RegularsTable(rules_); }

    // At start and whenever the page is shown: the file when there is one. A damaged file keeps
    // the whole records read, and its first rewrite keeps a copy of it; a caller about to change
    // the rules may take the failure as a warning.
    void Load(bool damageAsWarning = false);
    // "Вкладка \"Регуляры\"": flips and stores the page's visibility; a page shown loads the
    // file, a page hidden drops the rules. Returns whether it is shown.
    bool ToggleTab();

    bool CanAdd() const { return core_.NotBusy() && Shown(); }
    // The dialog over the combinations selected in the working list.
    TRegularAddDialog OpenAdd(const std::vector<size_t>& selectedCombs) const;
    // The dialog's check, which raises EConvertError with its message (the dialog stays open).
    void CheckAdd(const TRegularAddDialog& dialog, const TRegularDialogFields& fields) const {
        dialog.Accept(fields, rules_);
    }
    // OK: the rules appended and the file rewritten; the number added, -1 after the error box.
    int Add(const TRegularAddDialog& dialog, const TRegularDialogFields& fields);

    bool CanDelete(const std::vector<size_t>& rows) const {
        return core_.NotBusy() && Shown() && !rows.empty();
    }
    // After the confirmation; the number removed.
    int Delete(std::vector<size_t> rows);

    bool CanStake(const std::vector<size_t>& rows) const {
        return CanDelete(rows) && stakes_.IsOpen();
    }
    // "Сделать ставку по регуляру" on the first row: the advanced copy and the dialog's fields;
    // nothing after the error box.
    std::optional<TRegularStakeDraft> PrepareStake(const std::vector<size_t>& rows);
    // The stake dialog's OK: the advanced rule replaces the old one, the file is rewritten and
    // the stake appended (then everything checked). False after the error box, nothing changed.
    bool CommitStake(const TRegularStakeDraft& draft, const TStakeDialogFields& fields);

    bool CanTest(const std::vector<size_t>& rows) const { return CanStake(rows); }
    // "Тест регуляров": asks the number of tests; the number of stakes made.
    int Test(const std::vector<size_t>& rows);
    // For offsets passes..1, every row's rule advanced and staked for the draw after the
    // reference draw; stops at the first failure. The offset is restored afterwards.
    int RunTest(const std::vector<size_t>& rows, int passes);

  private:
    // Rewrites the file with `next` and takes it; false after the error box, the rules as they
    // were.
    bool Commit(TRegularRules next);
    // The error box for a row outside the rules; false then.
    bool CheckRows(const std::vector<size_t>& rows);
    void Refresh();

    TSessionCore& core_;
    TArchiveController& archive_;
    TCombsController& combs_;
    TConfigController& config_;
    TStakesController& stakes_;
    TRegularsFile file_;
    TRegularRules rules_;
};

}  // namespace zentrix
