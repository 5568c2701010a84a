#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QChartView;
class QSpinBox;

namespace zentrix {
class TMainSession;
struct TWeekChart;
}  // namespace zentrix

namespace zentrix::gui {

class TActionList;
class TGridModel;
class TGridTable;
class TKeptSplitter;

// The "Неделя" tab: the counts of every number on every weekday with their heat colours, the
// chart of the current cell's weekday or number, and the filters by the selected columns.
class TWeekTab : public QWidget, public TPage {
    Q_OBJECT
  public:
    TWeekTab(QWidget* parent, TMainSession& session, TActionList& actions);

    TGridTable* Grid() const { return grid_; }
    QSpinBox* LengthSpin() const { return length_; }
    QChartView* Chart() const { return chart_; }
    QList<QAction*> Actions() const { return menuActions_; }
    QAction* IncludeAction() const { return include_; }
    QAction* ExcludeAction() const { return exclude_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // DrawWeekChart for the grid's current cell.
    void DrawChart();
    void ShowChart(const TWeekChart& chart);

    TMainSession& session_;
    TActionList& actions_;
    QSpinBox* length_;
    TGridModel* model_;
    TGridTable* grid_;
    QChartView* chart_;
    TKeptSplitter* split_;
    QAction* include_;
    QAction* exclude_;
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
