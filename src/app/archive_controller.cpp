#include "app/archive_controller.h"

#include <algorithm>

#include "core/archive.h"
#include "core/archive_file.h"
#include "core/list_rows.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

TArchiveController::TArchiveController(TSessionCore& core, const TConfigSettings& config)
    : core_(core), config_(config) {}

bool TArchiveController::SortedDraws() const {
    return core_.Settings().Options().SortedDraws;
}

int TArchiveController::IndexOfRow(int row) const {
    return row >= 0 && row < Count() ? Count() - 1 - row : -1;
}

std::vector<std::string> TArchiveController::RowTexts(int row) const {
    return DrawsListRow(draws_, row, SortedDraws());
}

std::optional<TColor> TArchiveController::CellColor(int row, int column) const {
    return DrawsListCellColor(draws_, row, column, offset_, SortedDraws(),
                              core_.Settings().Options().ColorDraws, config_.data.ChannelSize);
}

void TArchiveController::SetDrawsOffset(int value) {
    value = std::clamp(value, 0, OffsetMaximum());
    if (value == offset_) return;
    offset_ = value;
    core_.Invalidate(TUiPart::DrawsOffset);
    RefreshDrawsList(false);
    core_.Events().referenceDrawChanged.Emit();
    core_.RefreshViews(false);
    core_.Invalidate(TUiPart::DrawsList);
}

void TArchiveController::LoadArchive(TDamageReport report) {
    const std::string path = core_.FilePath(".ldr");
    if (FileSize(path) < 0) {
        RefreshDrawsList(false);
        return;
    }
    TBusyScope busy(core_, "Загрузка файла тиражей...");
    std::string damage;
    try {
        TDrawsFileRead read = ReadDrawsFile(path);
        draws_ = std::move(read.draws);
        if (read.damaged) damage = read.error;
    } catch (const std::exception& e) {
        damage = ErrorText(e);
    }
    if (!damage.empty()) {
        backupPending_ = true;
        const std::string text = Format("Ошибка чтения файла тиражей!\n\n%s", {damage});
        if (report == TDamageReport::Warning)
            core_.WarningBox(text);
        else
            core_.ErrorBox(text);
    }
    RefreshDrawsList(false);
    core_.Events().archiveChanged.Emit();
}

bool TArchiveController::SaveArchive() {
    const std::string path = core_.FilePath(".ldr");
    bool saved = true;
    TBusyScope busy(core_, "Сохранение файла тиражей...");
    try {
        if (backupPending_) {
            try {
                BackupDamagedFile(path);
            } catch (const std::exception& e) {
                // Never overwrite a damaged file that could not be copied aside.
                throw EFileError(
                    std::string("Не удалось сохранить резервную копию поврежденного файла: ") +
                    ErrorText(e));
            }
            backupPending_ = false;
        }
        WriteDrawsFile(path, draws_);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка записи в файл тиражей!\n\n%s", e);
        saved = false;
    }
    RefreshDrawsList(true);
    return saved;
}

void TArchiveController::RefreshDrawsList(bool force) {
    const bool offsetClamped = offset_ > OffsetMaximum();
    // The spin cannot show an offset beyond the archive: it takes its new maximum.
    if (offsetClamped) offset_ = OffsetMaximum();
    if (force || listRows_ != Count()) {
        listRows_ = Count();
        core_.Invalidate(TUiPart::DrawsList);
    }
    nextDrawSet_ = zentrix::NextDrawSet(draws_, offset_);
    core_.SetStatusPanel(TStatusPanel::Archive, Format("Архив тиражей: %d", {listRows_}));
    core_.SetStatusPanel(TStatusPanel::NextDraw,
                         Format("Следующий тираж: %d", {NextDrawNumber(draws_, offset_)}));
    core_.SetStatusPanel(TStatusPanel::NextDrawNumbers,
                         Format("%s", {NextDrawText(draws_, offset_)}));
    core_.Invalidate(TUiPart::DrawsOffset);
    if (offsetClamped) core_.Events().referenceDrawChanged.Emit();
}

void TArchiveController::ArchiveChanged() {
    SaveArchive();
    AnnounceChange();
}

void TArchiveController::AnnounceChange() {
    core_.Events().archiveChanged.Emit();
    core_.RefreshViews(false);
    if (changedHook_) changedHook_();
}

void TArchiveController::Assign(TDrawsArray draws) {
    draws_ = std::move(draws);
    RefreshDrawsList(true);
    core_.Events().archiveChanged.Emit();
}

void TArchiveController::AppendDraws(const TDrawsArray& draws) {
    draws_.insert(draws_.end(), draws.begin(), draws.end());
    ArchiveChanged();
}

bool TArchiveController::AppendAndSave(const TDrawsArray& draws) {
    const size_t before = draws_.size();
    draws_.insert(draws_.end(), draws.begin(), draws.end());
    if (SaveArchive()) return true;
    draws_.resize(before);
    RefreshDrawsList(true);
    return false;
}

void TArchiveController::AnnounceAppended() {
    core_.Events().archiveChanged.Emit();
    core_.RefreshViews(false);
}

bool TArchiveController::CanDrawsAdd() const {
    return core_.NotBusy();
}

TDraw TArchiveController::NewDrawRecord() const {
    TDraw d;
    d.Number = NextDrawNumber(draws_, 0);
    return d;
}

void TArchiveController::AddDraw(const TDraw& draw) {
    draws_.push_back(draw);
    ArchiveChanged();
}

bool TArchiveController::CanDrawsEdit(int focusedRow) const {
    return core_.NotBusy() && IndexOfRow(focusedRow) >= 0;
}

void TArchiveController::EditDraw(int row, const TDraw& draw) {
    const int index = IndexOfRow(row);
    if (index < 0) return;
    draws_[index] = draw;
    core_.Invalidate(TUiPart::DrawsList);
    ArchiveChanged();
}

bool TArchiveController::CanDrawsDel(const std::vector<int>& selectedRows) const {
    return core_.NotBusy() && std::any_of(selectedRows.begin(), selectedRows.end(),
                                          [this](int row) { return IndexOfRow(row) >= 0; });
}

bool TArchiveController::DeleteDraws(const std::vector<int>& selectedRows) {
    std::vector<int> indexes;
    for (int row : selectedRows)
        if (int i = IndexOfRow(row); i >= 0) indexes.push_back(i);
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (indexes.empty() || !core_.ConfirmDelete(static_cast<int>(indexes.size()))) return false;
    TBusyScope busy(core_, "Удаление выделенных тиражей....");
    // By index, highest first, so each selected record goes even when numbers repeat.
    for (int i : indexes) DeleteDrawAt(draws_, i);
    RefreshDrawsList(false);
    core_.Invalidate(TUiPart::DrawsList);  // the selection is cleared
    SaveArchive();
    core_.Events().archiveChanged.Emit();
    core_.RefreshViews(false);
    return true;
}

bool TArchiveController::CanDrawsInfo(int focusedRow) const {
    return core_.NotBusy() && IndexOfRow(focusedRow) >= 0;
}

std::vector<TInfoProperty> TArchiveController::InfoProperties(int row) const {
    const int index = IndexOfRow(row);
    if (index < 0) return {};
    std::vector<TInfoProperty> props = DrawInfoProperties(draws_[index]);
    for (TInfoProperty& p : StatInfoRows(draws_[index].Numbers, index, true)) props.push_back(p);
    return props;
}

std::vector<TInfoProperty> TArchiveController::StatInfoRows(const TComb& numbers, int position,
                                                            bool isDraw) const {
    std::vector<TInfoProperty> rows;
    core_.Events().infoRows.Emit({numbers, position, SortedDraws(), isDraw}, rows);
    return rows;
}

bool TArchiveController::CanDrawsSorted() const {
    return core_.NotBusy();
}

void TArchiveController::ToggleSortedDraws() {
    TMainOptions& options = core_.Settings().Options();
    options.SortedDraws = !options.SortedDraws;
    core_.StoreOption(&TMainOptions::SortedDraws);
    core_.Invalidate(TUiPart::DrawsList);
    core_.RefreshViews(true);
}

}  // namespace zentrix
