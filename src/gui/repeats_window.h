#pragma once

#include <QDialog>

#include "app/charts_controller.h"

class QSpinBox;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TKeptSplitter;
class TListView;
class TSeriesChart;
class TVirtualModel;

// "Количество повторов в зависимости от тиража": for every recent draw, how many earlier draws
// share 1, 2, ... numbers with it, as a list and a chart. The opener computes once before
// showing it; "Рассчитать" and Enter in either field compute again. Its settings are written when
// it closes.
class TFormRepeats : public QDialog {
    Q_OBJECT
  public:
    TFormRepeats(QWidget* parent, TMainSession& session);

    QSpinBox* LengthSpin() const { return length_; }
    QSpinBox* DepthSpin() const { return depth_; }
    TListView* List() const { return list_; }
    TSeriesChart* Chart() const { return chart_; }
    const TRepeatsResult& Result() const { return result_; }
    void Calculate();

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TMainSession& session_;
    TRepeatsSettings settings_;
    TRepeatsResult result_;
    QSpinBox* length_;
    QSpinBox* depth_;
    TVirtualModel* model_;
    TListView* list_;
    TSeriesChart* chart_;
    TKeptSplitter* split_;
};

}  // namespace zentrix::gui
