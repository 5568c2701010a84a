#pragma once

#include <QWidget>

#include "gui/page.h"

class QAction;
class QSpinBox;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TListView;
class TVirtualModel;

// The "Архив тиражей" tab: the draws list newest first, the offset spin and the draws actions.
class TDrawsPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    TDrawsPage(QWidget* parent, TMainSession& session, TActionList& actions);

    TListView* List() const { return list_; }
    QSpinBox* OffsetSpin() const { return offset_; }
    QList<QAction*> Actions() const { return menuActions_; }
    QAction* AddAction() const { return add_; }
    QAction* DeleteAction() const { return delete_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  private:
    void Add();
    void Edit();
    void Delete();
    void Info();
    void SyncOffsetSpin();

    TMainSession& session_;
    TActionList& actions_;
    TVirtualModel* model_;
    TListView* list_;
    QSpinBox* offset_;
    QAction* add_;
    QAction* delete_;
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
