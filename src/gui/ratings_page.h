#pragma once

#include <QWidget>

#include <functional>

#include "gui/page.h"

class QAction;
class QComboBox;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TListView;
class TVirtualModel;

// The "Рейтинг" tab: one row per stake comment with its counts and its effectiveness against
// random play, sorted by a header click; its rows turn back into scenario lines.
class TRatingsPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    // showScenario brings the scenario page to the front once lines were added to it.
    TRatingsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                 std::function<void()> showScenario);

    TListView* List() const { return list_; }
    QComboBox* ModeBox() const { return modes_; }
    QList<QAction*> Actions() const { return menuActions_; }

    struct TActions {
        QAction *rebuild, *exportCsv, *toScenario, *matchCount, *stakeMatches, *stakeProfits;
        QAction* modes[3];
    };
    const TActions& Commands() const { return commands_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  private:
    std::vector<size_t> SelectedRows() const;
    void ShowGraph(const QString& title, bool ofStakes, bool profit);
    void ShowSortIndicator();

    TMainSession& session_;
    TActionList& actions_;
    std::function<void()> showScenario_;
    TVirtualModel* model_;
    TListView* list_;
    QComboBox* modes_;
    TActions commands_{};
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
