#pragma once

#include <QDialog>

#include "app/catalog_dialogs.h"

class QPushButton;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

class TListView;
class TVirtualModel;

// "Оценки пользователей": the ratings users gave one catalog entry, sortable by a header click;
// its placement and column layout are kept in its own section of the window settings.
class TFormScriptRates : public QDialog {
    Q_OBJECT
  public:
    TFormScriptRates(QWidget* parent, TSessionCore& core, TScriptRatesList rates);

    TListView* List() const { return list_; }
    QPushButton* CloseButton() const { return close_; }
    void done(int result) override;

  private:
    void ShowRows();

    TSessionCore& core_;
    TScriptRatesList rates_;
    TVirtualModel* model_;
    TListView* list_;
    QPushButton* close_;
};

}  // namespace zentrix::gui
