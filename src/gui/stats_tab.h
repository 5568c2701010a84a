#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QComboBox;
class QSpinBox;
class QSplitter;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TKeptSplitter;
class TListView;
class TSeriesChart;
class TVirtualModel;

// The "Статистика" tab: the method list, the window length, the table of values with its chart,
// and the filters of the working list by the selected rows.
class TStatsTab : public QWidget, public TPage {
    Q_OBJECT
  public:
    TStatsTab(QWidget* parent, TMainSession& session, TActionList& actions);

    QComboBox* MethodBox() const { return methods_; }
    QSpinBox* WindowSpin() const { return window_; }
    TListView* Table() const { return table_; }
    TSeriesChart* Chart() const { return chart_; }
    TKeptSplitter* Splitter() const { return split_; }
    QList<QAction*> Actions() const { return menuActions_; }
    QAction* IncludeAction() const { return include_; }
    QAction* ExcludeAction() const { return exclude_; }
    QAction* PrefetchsAction() const { return prefetchs_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillMethods();
    void ShowTable();
    void ShowHelp();
    void ShowFavourites();

    TMainSession& session_;
    TActionList& actions_;
    QComboBox* methods_;
    QSpinBox* window_;
    TVirtualModel* model_;
    TListView* table_;
    TSeriesChart* chart_;
    TKeptSplitter* split_;
    QAction* include_;
    QAction* exclude_;
    QAction* prefetchs_;
    QList<QAction*> menuActions_;
    int chartVersion_ = -1;
};

}  // namespace zentrix::gui
