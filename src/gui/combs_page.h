#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QSpinBox;
class QSplitter;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TKeptSplitter;
class TListView;
class TVirtualModel;

// The "Комбинации" tab: the working list, the spin of last draws to exclude and the filter log.
class TCombsPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    TCombsPage(QWidget* parent, TMainSession& session, TActionList& actions);

    TListView* List() const { return list_; }
    TListView* FilterLog() const { return log_; }
    QSpinBox* ExcludeSpin() const { return exclude_; }
    TKeptSplitter* Splitter() const { return split_; }
    QList<QAction*> Actions() const { return menuActions_; }
    QAction* UndoAction() const { return undo_; }
    QAction* GenerateAction() const { return generate_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Generate();
    void Info();

    TMainSession& session_;
    TActionList& actions_;
    TVirtualModel* model_;
    TVirtualModel* logModel_;
    TListView* list_;
    TListView* log_;
    QSpinBox* exclude_;
    TKeptSplitter* split_;
    QAction* generate_;
    QAction* undo_;
    QAction* delExists_;
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
