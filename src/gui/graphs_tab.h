#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QCheckBox;
class QComboBox;
class QSpinBox;
class QTabWidget;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TSeriesChart;

// The "Графики" tab: the per-draw value of a graph method over a window of draws, with its mean
// and its most frequent value. The tab hides and shows itself on its tab widget (TabGraps).
class TGraphsTab : public QWidget, public TPage {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Графики";

    TGraphsTab(QTabWidget* tabs, TMainSession& session, TActionList& actions);

    QComboBox* TypeBox() const { return types_; }
    QSpinBox* LengthSpin() const { return length_; }
    QCheckBox* LabelsBox() const { return labels_; }
    TSeriesChart* Chart() const { return chart_; }
    QAction* DrawAction() const { return draw_; }
    // TabGraps, for the view menu.
    QAction* TabAction() const { return tab_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillTypes();
    void ShowGraph();
    void ShowTab();

    QTabWidget* tabs_;
    TMainSession& session_;
    TActionList& actions_;
    QComboBox* types_;
    QSpinBox* length_;
    QCheckBox* labels_;
    TSeriesChart* chart_;
    QAction* draw_;
    QAction* tab_;
    int graphVersion_ = -1;
};

}  // namespace zentrix::gui
