#pragma once

#include <QWidget>

#include <array>

#include "app/views_controller.h"
#include "gui/page.h"

class QAction;
class QToolBar;
class QSpinBox;
class QTreeWidget;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TGridModel;
class TGridTable;
class TKeptSplitter;

// The "Схема" tab: the layout scheme of the recent draws with its filters, and below it the
// five comparison lists of the counts over five window lengths.
class TLayoutTab : public QWidget, public TPage {
    Q_OBJECT
  public:
    TLayoutTab(QWidget* parent, TMainSession& session, TActionList& actions);

    TGridTable* Grid() const { return grid_; }
    QSpinBox* LengthSpin() const { return length_; }
    QSpinBox* CompareSpin(int list) const { return compareLengths_[list]; }
    QTreeWidget* CompareList(int list) const { return lists_[list]; }
    QList<QAction*> Actions() const { return menuActions_; }
    // The tab's spreadsheet export, on its tool bar and at the end of its context menu.
    void AddExport(QAction* exportAction);
    QAction* IncludeAction() const { return include_; }
    QAction* ExcludeAction() const { return exclude_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowScheme();
    void FillList(int list);

    TMainSession& session_;
    TActionList& actions_;
    QSpinBox* length_;
    TGridModel* model_;
    TGridTable* grid_;
    TKeptSplitter* split_;
    std::array<QSpinBox*, kLayoutLists> compareLengths_{};
    std::array<QTreeWidget*, kLayoutLists> lists_{};
    std::array<TListSort, kLayoutLists> sorts_{};
    std::array<bool, kLayoutLists> sorted_{};  // a header was clicked: rows follow the sort
    QAction* include_;
    QAction* exclude_;
    QList<QAction*> menuActions_;
    QToolBar* toolbar_ = nullptr;
    QAction* export_ = nullptr;
};

}  // namespace zentrix::gui
