#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "app/window_settings.h"

class QAction;

namespace zentrix {
class TMainSession;
class TSystemsCatalogController;
}  // namespace zentrix

namespace zentrix::gui {

class TActionList;
class TListView;
class TVirtualModel;

// The systems page's list of the catalog's systems ("lvSystems") with its commands: reload from
// the service, download the selected systems, add an own system, the properties of one, delete
// an own one. `localChanged` runs when the folder "Systems" changed.
class TSystemsCatalogPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kListName = "lvSystems";
    // "Числа" ascending at first.
    static constexpr int kInitialSortColumn = 2;

    TSystemsCatalogPanel(QWidget* parent, TMainSession& session, TActionList& actions,
                         std::function<void()> localChanged);

    struct TActions {
        QAction *refresh, *download, *add, *properties, *remove;
    };
    const TActions& Commands() const { return commands_; }
    QList<QAction*> Actions() const;
    TListView* List() const { return list_; }
    // The entry shown in a row of the list.
    int EntryOfRow(int row) const;
    int RowOfEntry(int entry) const;
    // The icon kind of a row: 0..2 not downloaded (own, another's, no owner), 3..5 downloaded.
    int IconKind(int row) const;

    // The page switched on loads the list from the service; switched off, the list is empty.
    void ApplyEnabled();
    void Refresh();
    void DownloadSelected();
    void AddSystem();
    void ShowProperties();
    void DeleteSelected();

    void RestoreSettings(TWindowSettings& settings);
    void StoreSettings(TWindowSettings& settings);

  private:
    TSystemsCatalogController& Catalog() const;
    // The entry the single-entry commands act on: the focused row when selected, else the first
    // selected one; -1 when none.
    int CurrentEntry() const;
    std::vector<int> SelectedEntries() const;
    // The rows rebuilt (and sorted) from the controller's entries; its selection shown again.
    void Rebuild();
    void Sort();
    void SelectEntries(const std::vector<int>& entries);

    TMainSession& session_;
    TActionList& actions_;
    std::function<void()> localChanged_;
    std::vector<int> order_;  // row -> entry
    int sortColumn_ = kInitialSortColumn;
    bool descending_ = false;
    TVirtualModel* model_;
    TListView* list_;
    TActions commands_{};
};

}  // namespace zentrix::gui
