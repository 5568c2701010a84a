#pragma once

#include <QDialog>

#include <vector>

#include "core/game.h"
#include "core/info_dialog.h"

class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace zentrix::gui {

// "Подробная информация" of a draw or a combination: the property list and the number card with
// its column spin.
class TFormInfo : public QDialog {
    Q_OBJECT
  public:
    TFormInfo(QWidget* parent, const std::vector<TInfoProperty>& properties, const TComb& numbers,
              int matrixCols, int channelSize);

  private:
    void BuildCard(int cols);

    TComb numbers_;
    int channelSize_;
    QTreeWidget* properties_;
    QSpinBox* cols_;
    QTableWidget* card_;
};

}  // namespace zentrix::gui
