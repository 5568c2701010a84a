#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;

namespace zentrix {
class TMainSession;
struct TStakeDialogFields;
}  // namespace zentrix

namespace zentrix::gui {

class TActionList;
class TListView;
class TVirtualModel;

// The "Ставки" tab: the stakes file as a grid read on demand, and the commands that make, check
// and delete stakes. The stakes are made from the combination list beside it.
class TStakesPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    TStakesPage(QWidget* parent, TMainSession& session, TActionList& actions, TListView* combsList);

    TListView* Grid() const { return grid_; }
    QList<QAction*> Actions() const { return menuActions_; }

    struct TActions {
        QAction *make, *random, *selected, *all, *remove, *removeWhere, *removeAll, *check,
            *profitGraph, *scroll, *logs, *removeLogs;
    };
    const TActions& Commands() const { return commands_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

    // After stakes were made: the last row selected, and in sight when the option says so.
    void SelectLast();
    // The selected rows of the combination list, in list order.
    std::vector<size_t> SelectedCombs() const;

  private:
    // The stake dialog on these fields; the stake made on OK.
    void MakeStake(const TStakeDialogFields& fields);
    // The multi-stake dialog, then one stake per combination row.
    void MakeStakes(const std::vector<size_t>& rows, bool clearSelection);
    void DeleteRows();
    void DeleteWhere();
    void ProfitGraph();

    TMainSession& session_;
    TActionList& actions_;
    TListView* combsList_;
    TVirtualModel* model_;
    TListView* grid_;
    TActions commands_{};
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
