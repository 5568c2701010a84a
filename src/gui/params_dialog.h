#pragma once

#include <QDialog>

#include "core/params_dialog.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// "Параметры системы": bound to the dialog model; OK gives the record the session installs.
class TFormParams : public QDialog {
    Q_OBJECT
  public:
    TFormParams(QWidget* parent, TSessionCore& core, TParamsDialogModel model);

    TConfigData Result() const { return model_.Result(); }

    QSpinBox* ColsSpin() const { return cols_; }
    QTableWidget* SegmentGrid() const { return segments_; }
    QTableWidget* PrizeTable() const { return prizes_; }

    void accept() override;

  private:
    void FillSegments();
    void SegmentEdited(int row, int col);

    TSessionCore& core_;
    TParamsDialogModel model_;
    bool filling_ = false;
    QSpinBox* cols_;
    QLabel* rows_;
    QSpinBox* channel_;
    QDoubleSpinBox* cost_;
    QTableWidget* prizes_;
    QDoubleSpinBox* kCount_;
    QDoubleSpinBox* kDeviation_;
    QDoubleSpinBox* kLevel_;
    QCheckBox* percents_;
    QCheckBox* absValues_;
    QTableWidget* segments_;
};

}  // namespace zentrix::gui
