#pragma once

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session_core.h"
#include "core/config_data.h"
#include "core/draw.h"
#include "core/info_dialog.h"

namespace zentrix {

// The draws archive of the session: the array, the reference-draw offset, the draws list's
// panels and the actions of the draws tab. Rows are positions in the list, newest draw first.
class TArchiveController {
  public:
    TArchiveController(TSessionCore& core, const TConfigSettings& config);

    const TDrawsArray& Draws() const { return draws_; }
    int Count() const { return static_cast<int>(draws_.size()); }
    int DrawsOffset() const { return offset_; }
    // Index of the reference draw; -1 for an empty archive.
    int ReferenceIndex() const { return Count() - 1 - offset_; }
    // The offset spin's maximum.
    int OffsetMaximum() const { return Count() > 0 ? Count() - 1 : 0; }
    // The numbers of the draw after the reference draw (the layout scheme marks them).
    const std::bitset<256>& NextDrawSet() const { return nextDrawSet_; }
    bool SortedDraws() const;

    // Array index of a list row, -1 outside the list.
    int IndexOfRow(int row) const;
    std::vector<std::string> RowTexts(int row) const;
    // A cell's background; nothing for the list's own painting.
    std::optional<TColor> CellColor(int row, int column) const;

    // The setter of DrawsOffset (the spin): values are held within the spin's range.
    void SetDrawsOffset(int value);

    // How loading reports a damaged file: an error box, or a warning for a caller whose change
    // is about to be saved (the save keeps the backup), so that only a failure counts as one.
    enum class TDamageReport { Error, Warning };
    // Reads Zentrix_8x20.ldr. A damaged file gives its complete records (also those with values
    // no draw can have) and the report; it is copied to a backup before the first save
    // overwrites it.
    void LoadArchive(TDamageReport report = TDamageReport::Error);
    // Rewrites the file from the whole array; false after the error box.
    bool SaveArchive();
    void RefreshDrawsList(bool force);
    // After a change of the archive: saved, archiveChanged raised, the views recomputed, then the
    // hook (the stakes whose draws arrived get checked). The hook is not an event subscriber:
    // archiveChanged also fires at load, before the ratings the check feeds are read.
    void ArchiveChanged();
    void SetChangedHook(std::function<void()> hook) { changedHook_ = std::move(hook); }
    // Replaces the array in memory only (tests, benchmarks, a front end that reads elsewhere).
    void Assign(TDrawsArray draws);
    // Empties the array (at the end of the run); nothing is written.
    void ClearDraws() { draws_.clear(); }
    // Appends draws (download, import) and runs ArchiveChanged.
    void AppendDraws(const TDrawsArray& draws);
    // Appends draws and saves; a failed save (after its error box) takes them out again, so the
    // archive in memory keeps what the file holds.
    bool AppendAndSave(const TDrawsArray& draws);
    // After AppendAndSave: archiveChanged and the views, without the changed hook.
    void AnnounceAppended();

    // DrawsAdd: the dialog opens on NewDrawRecord(); OK commits through AddDraw.
    bool CanDrawsAdd() const;
    TDraw NewDrawRecord() const;
    void AddDraw(const TDraw& draw);
    // DrawsEdit on the focused row.
    bool CanDrawsEdit(int focusedRow) const;
    void EditDraw(int row, const TDraw& draw);
    // DrawsDel on the selected rows, after the confirmation; true when something was deleted.
    bool CanDrawsDel(const std::vector<int>& selectedRows) const;
    bool DeleteDraws(const std::vector<int>& selectedRows);
    // DrawsInfo on the focused row: the property list (the card comes from MakeInfoCard).
    bool CanDrawsInfo(int focusedRow) const;
    std::vector<TInfoProperty> InfoProperties(int row) const;
    // Properties of 8 numbers at a position, as the information dialog lists them: the rows the
    // subscribers of infoRows add.
    std::vector<TInfoProperty> StatInfoRows(const TComb& numbers, int position, bool isDraw) const;
    // DrawsSorted: toggles SortedDraws and stores it at once.
    bool CanDrawsSorted() const;
    void ToggleSortedDraws();

    // DrawsExport: the whole archive to a CSV file, replaced as a whole (never left half
    // written); false after the error box.
    bool CanDrawsExport() const;
    void DrawsExport();  // asks for the file
    bool ExportDraws(const std::string& file);
    // DrawsImport: appends the file's draws the archive does not hold and saves; the number
    // appended, or -1 after the error box (nothing appended then).
    bool CanDrawsImport() const;
    void DrawsImport();  // asks for the file
    int ImportDraws(const std::string& file);

  private:
    // What follows a saved change: the event, the views, the hook.
    void AnnounceChange();

    TSessionCore& core_;
    const TConfigSettings& config_;
    TDrawsArray draws_;
    int offset_ = 0;
    int listRows_ = 0;
    std::bitset<256> nextDrawSet_;
    bool backupPending_ = false;  // the file on disk is damaged and not yet copied aside
    std::function<void()> changedHook_;
};

}  // namespace zentrix
