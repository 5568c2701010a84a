#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "gui/page.h"
#include "stakes/system_file.h"

class QAction;
class QLabel;
class QTableWidget;
class QVBoxLayout;

namespace zentrix {
class TMainSession;
struct TWheelCheck;
}  // namespace zentrix

namespace zentrix::gui {

class TActionList;
class TListView;
class TSystemsCatalogPanel;
class TVirtualModel;

// The "Системы" tab: the systems of the local folder, the two play commands and the guarantee
// table of the selected system or of the working list. The catalog's panel sits in
// CatalogSlot(), above the local list.
class TSystemsPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    // `stakesMade` runs after a play added stakes (the stakes grid shows its last row).
    TSystemsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                 std::function<void()> stakesMade);

    struct TActions {
        QAction *playWhole, *playFiltered, *reload, *checkList;
    };
    const TActions& Commands() const { return commands_; }
    QList<QAction*> PlayActions() const { return {commands_.playWhole, commands_.playFiltered}; }
    QVBoxLayout* CatalogSlot() const { return catalogSlot_; }
    TSystemsCatalogPanel* Catalog() const { return catalog_; }
    TListView* LocalList() const { return list_; }
    QTableWidget* CheckTable() const { return check_; }
    QLabel* CheckCaption() const { return checkCaption_; }

    // The local list read again (empty while the page is switched off).
    void Reload();
    // The play commands shown with the page.
    void ApplyEnabled();

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Play(bool whole);
    void CheckSelected();
    void CheckList();
    void ShowCheck(const QString& caption, const TWheelCheck& check);

    TMainSession& session_;
    TActionList& actions_;
    std::function<void()> stakesMade_;
    std::vector<TLocalSystem> systems_;
    std::vector<std::vector<std::string>> rows_;
    QVBoxLayout* catalogSlot_;
    TSystemsCatalogPanel* catalog_;
    TVirtualModel* model_;
    TListView* list_;
    QLabel* checkCaption_;
    QTableWidget* check_;
    TActions commands_{};
};

}  // namespace zentrix::gui
