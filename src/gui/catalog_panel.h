#pragma once

#include <QWidget>

#include <array>

#include "app/ui_port.h"
#include "app/window_settings.h"
#include "exchange/script_catalog.h"

class QAction;
class QComboBox;
class QMenu;
class QPushButton;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TListView;
class TVirtualModel;

// The online scenario catalog under the scenario list: the filter box, three command buttons,
// the list of entries and its context menu. The entries, their order and the selection live in
// the session's catalog controller; this panel shows them and runs the dialogs.
class TCatalogPanel : public QWidget {
    Q_OBJECT
  public:
    TCatalogPanel(QWidget* parent, TMainSession& session, TActionList& actions);

    struct TActions {
        QAction *toggle, *refresh, *download, *upload, *replace, *remove, *view, *rates, *hide;
        std::array<QAction*, 6> rate;  // 0 takes the rating back, 1..5 rate
    };
    const TActions& Commands() const { return commands_; }
    // The context menu's entries (null for a separator); "Оценить" is a submenu.
    const QList<QAction*>& MenuActions() const { return menuActions_; }
    QMenu* RateMenu() const { return rateMenu_; }
    TListView* List() const { return list_; }
    QComboBox* FilterBox() const { return filter_; }
    QPushButton* Button(int index) const { return buttons_[index]; }

    // The designed height of the panel, for a splitter without a stored one.
    static constexpr int kDesignedHeight = 220;

    void RestoreSettings(TWindowSettings& settings);
    void StoreSettings(TWindowSettings& settings);
    void OnInvalidated(TUiPart part);

  private:
    // The controller's rows, selection, order and visibility on screen.
    void ShowCatalog();
    void SelectionToController();
    // The properties dialog on the data; true (data replaced) on OK.
    bool EditScriptData(TScriptData& data, bool editable);
    void Publish();
    void Replace();
    void ShowProperties();
    void ShowRates();
    void Rate(int value);

    TMainSession& session_;
    TActionList& actions_;
    TVirtualModel* model_;
    TListView* list_;
    QComboBox* filter_;
    std::array<QPushButton*, 3> buttons_{};
    QMenu* rateMenu_;
    TActions commands_{};
    QList<QAction*> menuActions_;
    bool showing_ = false;  // the view is being set from the controller
};

}  // namespace zentrix::gui
