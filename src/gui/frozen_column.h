#pragma once

#include <QTableView>

namespace zentrix::gui {

// Keeps a table's first column in view while the table scrolls sideways: a second view over the
// same model and selection, showing only that column, laid over the table's left edge. Header
// clicks, the context menu and double clicks on it act as on the table.
class TFrozenColumn : public QTableView {
    Q_OBJECT
  public:
    explicit TFrozenColumn(QTableView* table);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void HideOtherColumns();
    void UpdateGeometry();

    QTableView* table_;
};

}  // namespace zentrix::gui
