#pragma once

#include <QTableView>

#include <string>
#include <vector>

namespace zentrix {
class TIniFile;
}

namespace zentrix::gui {

// A list view over a virtual model: whole-row selection, uniform row heights (so 125970 rows
// scroll smoothly), and its column widths kept in the window settings as "<name>.Column<i>".
class TListView : public QTableView {
    Q_OBJECT
  public:
    TListView(QWidget* parent, const QString& name);

    // Selected rows in ascending order.
    std::vector<int> SelectedRows() const;
    // The focused row, -1 when none.
    int FocusedRow() const;
    bool HasSelection() const;
    // Widens a column to show its longest text whole; never narrows it.
    void WidenToContents(int column);

    void RestoreColumns(const TIniFile& ini, const std::string& section);
    void StoreColumns(TIniFile& ini, const std::string& section) const;

  signals:
    void selectionChangedByUser();
};

}  // namespace zentrix::gui
