#pragma once

#include <QWidget>

#include <vector>

#include "gui/page.h"

class QAction;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TListView;
class TStakesPage;
class TVirtualModel;

// The "Регуляры" tab: the regular table stakes in file order (the list does not sort), with
// the commands that add, delete, stake and test them.
class TRegularsPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    // The stakes page gives the combinations selected for new rules and shows the stakes made.
    TRegularsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                  TStakesPage* stakesPage);

    TListView* List() const { return list_; }
    QList<QAction*> Actions() const { return menuActions_; }
    struct TActions {
        QAction *add, *remove, *stake, *test;
    };
    const TActions& Commands() const { return commands_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  private:
    std::vector<size_t> SelectedRows() const;
    void Add();
    void Stake();
    void Test();

    TMainSession& session_;
    TActionList& actions_;
    TStakesPage* stakesPage_;
    TVirtualModel* model_;
    TListView* list_;
    TActions commands_{};
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
