#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/config_controller.h"
#include "app/scenario_controller.h"
#include "app/session_core.h"
#include "exchange/script_catalog.h"

namespace zentrix {

// The program's identifier as the catalog services know it.
inline constexpr const char* kCatalogAppId = "Zentrix_8x20";
// The interface language (Russian).
inline constexpr int kInterfaceLcid = 1049;

// Who the requests speak for and where they go, from the settings (USER and SERVICES).
TServiceIdentity ServiceIdentity(TConfigController& config);
TServiceTarget CatalogTarget(const TConfigController& config);

// A check of the properties dialog that failed: the message and the field to focus.
struct TScriptDataProblem {
    enum class TField { Title, Author } field;
    std::string message;
};

// The online scenario catalog panel without its widgets: the entries of the list, the filter,
// the selection and the commands. Every command runs busy with its status text and reports its
// own failures through the UiPort.
class TCatalogController {
  public:
    TCatalogController(TSessionCore& core, TConfigController& config,
                       TScenarioController& scenario);

    const std::vector<TScriptInfo>& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    void Select(int row);
    // The first row with that id; false when there is none.
    bool SelectId(int32_t id);
    const TScriptInfo* SelectedEntry() const;
    bool PanelShown() const { return panelShown_; }
    void SetPanelShown(bool shown);
    // The panel toggle: shown or hidden, ScriptLibraryOn written at once, the list reloaded.
    bool CanTogglePanel() const { return core_.NotBusy(); }
    void TogglePanel();
    // The panel's options from the window settings (shown, filter, sort) and back at exit.
    void RestoreOptions();
    void StoreOptions();
    // The filter box's item index (0..7).
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index);
    // The list's order: by a column's texts as the program's sortable lists compare them; a
    // click on the sorted column reverses it, another column sorts ascending. The selection
    // stays on its entry.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    void Sort(int column, bool descending);
    void SortByClick(int column);

    // Availability of the commands.
    bool CanRefresh() const;
    bool CanDownload() const;
    bool CanPublish() const;
    bool CanReplace() const;
    bool CanDelete() const;
    bool CanView() const;
    bool CanRate() const;
    bool CanRemoveRating() const;

    void RefreshCatalog();
    bool Download();
    // The properties dialog's data for a new entry / the selected one.
    TScriptData NewScriptData();
    TScriptData SelectedScriptData() const;
    // The OK checks of the properties dialog (the title's uniqueness asks the service); a failed
    // check of the service shows its own error and answers a problem with an empty message.
    std::optional<TScriptDataProblem> CheckScriptData(TScriptData& data);
    // After the dialog's OK.
    bool Publish(const TScriptData& data);
    bool Replace(const TScriptData& data);
    // Asks first.
    bool Delete();
    // 1..5 with the comment; 0 takes the rating back; -1 hides.
    bool Rate(int value, const std::string& comment);
    // The ratings of the selected entry; nothing after a failure.
    std::optional<std::vector<TScriptRate>> LoadRates();

  private:
    bool Available() const { return core_.NotBusy() && panelShown_; }
    bool Fail(const char* message, const std::exception& e);
    // Re-sorts after a change of the rows and tells the panel.
    void Changed();

    TSessionCore& core_;
    TConfigController& config_;
    TScenarioController& scenario_;
    std::vector<TScriptInfo> entries_;
    int selected_ = -1;
    bool panelShown_ = true;
    int filterIndex_ = 2;
    int sortColumn_ = 7;  // "Рейтинг"
    bool sortDescending_ = false;
};

// The list's name in the window settings ("lvOnlineScripts.Column0", ".SortType").
inline constexpr const char* kCatalogListName = "lvOnlineScripts";

}  // namespace zentrix
