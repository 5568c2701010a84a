#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QToolBar;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TGridModel;
class TGridTable;

// The "Карта" tab: the draw card, newest draw at the top, with its colour options and the
// filters of the working list by the selected numbers.
class TCardTab : public QWidget, public TPage {
    Q_OBJECT
  public:
    TCardTab(QWidget* parent, TMainSession& session, TActionList& actions);

    TGridTable* Grid() const { return grid_; }
    QList<QAction*> Actions() const { return menuActions_; }
    // The tab's spreadsheet export, on its tool bar and at the end of its context menu.
    void AddExport(QAction* exportAction);
    QAction* IncludeAction() const { return include_; }
    QAction* ExcludeAction() const { return exclude_; }

    void RestoreSettings(TWindowSettings&) override {}
    void StoreSettings(TWindowSettings&) override {}
    void OnInvalidated(TUiPart part) override;

  private:
    TMainSession& session_;
    TGridModel* model_;
    TGridTable* grid_;
    QAction* include_;
    QAction* exclude_;
    QList<QAction*> menuActions_;
    QToolBar* toolbar_ = nullptr;
    QAction* export_ = nullptr;
};

}  // namespace zentrix::gui
