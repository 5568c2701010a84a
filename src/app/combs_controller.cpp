#include "app/combs_controller.h"

#include <algorithm>

#include "core/comb_file.h"
#include "core/comb_list.h"
#include "core/list_rows.h"
#include "stats/comb_filter.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix {

TCombsController::TCombsController(TSessionCore& core, TArchiveController& archive,
                                   TConfigController& config)
    : core_(core), archive_(archive), config_(config) {}

std::vector<std::string> TCombsController::RowTexts(int row) const {
    return CombListRow(combs_, row);
}

std::optional<TColor> TCombsController::CellColor(int row, int column) const {
    return CombListCellColor(combs_, row, column, core_.Settings().Options().ColorCombs,
                             config_.Data().ChannelSize);
}

void TCombsController::InitArrays() {
    for (TCombsArray* list : {&combs_, &undo_, &buffer_}) {
        list->clear();
        list->reserve(kCombCount);
    }
    bufferKey1_ = bufferKey2_ = -1;
}

void TCombsController::SetCombCount(size_t capacity, size_t count) {
    combs_.reserve(capacity);
    combs_.resize(count);
}

void TCombsController::GenerateCombs(bool showProgress, int mode, const std::string& parameter) {
    std::optional<TBusyScope> busy;
    if (showProgress) busy.emplace(core_, "Генерация возможных комбинаций...");
    try {
        combs_.clear();
        // A relative name means a file of the data folder, wherever the program was started.
        if (mode == 4)
            ReadCombFile(JoinPath(core_.Folder(), parameter));
        else
            GenerateFromNumbers(mode, parameter, combs_);
        if (showProgress) {
            ClearFilterLog();
            RefreshCombList();
            undo_.clear();
            undo_.reserve(combs_.size());
            buffer_.clear();
        }
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка генерации файла комбинаций!\n\n%s", e);
    }
}

void TCombsController::SaveUndo(bool showStatus) {
    std::optional<TBusyScope> busy;
    if (showStatus) busy.emplace(core_, "Создание файла отката...");
    undo_ = combs_;
}

void TCombsController::RestoreUndo(bool showStatus) {
    std::optional<TBusyScope> busy;
    if (showStatus) busy.emplace(core_, "Отмена изменений...");
    combs_ = undo_;
    undo_.clear();
    RefreshCombList();
}

void TCombsController::StoreBuffer(int key1, int key2) {
    if (key1 == bufferKey1_ && key2 == bufferKey2_) return;
    TBusyScope busy(core_, "Создание буфера комбинаций...");
    try {
        bufferKey1_ = key1;
        bufferKey2_ = key2;
        buffer_ = combs_;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка создания буфера комбинаций!\n\n%s", e);
    }
}

bool TCombsController::LoadBuffer(int key1, int key2) {
    if (key1 != bufferKey1_ || key2 != bufferKey2_ || buffer_.empty()) return false;
    TBusyScope busy(core_, "Загрузка буфера комбинаций...");
    try {
        combs_ = buffer_;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка загрузки буфера комбинаций!\n\n%s", e);
    }
    RefreshCombList();
    return true;
}

void TCombsController::InvalidateBuffer() {
    bufferKey1_ = bufferKey2_ = -1;
    buffer_.clear();
}

bool TCombsController::FindComb(const TComb& comb) const {
    return std::find(combs_.begin(), combs_.end(), comb) != combs_.end();
}

bool TCombsController::ReadCombFile(const std::string& name) {
    combs_.clear();
    try {
        zentrix::ReadCombFile(name, combs_);
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка чтения файла \"%s\"!\n\n%s", {name, e.what()}));
        return false;
    }
}

bool TCombsController::WriteCombFile(const std::string& name) {
    try {
        if (IsProgramDataFile(core_.Folder(), name))
            throw EFileError(
                "Это один из файлов данных программы: комбинации в него не записываются.");
        zentrix::WriteCombFile(name, combs_);
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка записи в файл \"%s\"!\n\n%s", {name, e.what()}));
        return false;
    }
}

void TCombsController::RefreshCombList() {
    core_.Invalidate(TUiPart::CombList);
    core_.SetStatusPanel(TStatusPanel::Combs, Format("Комбинаций: %d", {Count()}));
    core_.Events().workingListChanged.Emit();
}

void TCombsController::ClearFilterLog() {
    log_.clear();
    core_.Invalidate(TUiPart::FilterLog);
}

void TCombsController::AddFilterLog(bool exclude, const std::string& applied,
                                    const std::string& values) {
    log_.push_back(
        {applied, values, Count(), exclude ? TFilterMark::Exclusion : TFilterMark::Inclusion});
    core_.Invalidate(TUiPart::FilterLog);
}

void TCombsController::AddUndoLog() {
    log_.push_back({"Отмена последней операции", "", Count(), TFilterMark::Undone});
    core_.Invalidate(TUiPart::FilterLog);
}

void TCombsController::DropLastLog() {
    if (log_.empty()) return;
    log_.pop_back();
    core_.Invalidate(TUiPart::FilterLog);
}

void TCombsController::Narrow(const TNarrowing& how, const TNarrowFn& narrow) {
    // The list becomes the undo step as it is, and the new list is written into the storage of
    // the step before: a scenario narrows hundreds of times, and fresh megabytes cost page faults.
    TCombsArray previousUndo = std::move(undo_);
    {
        TBusyScope saving(core_, "Создание файла отката...");
        undo_ = std::move(combs_);
    }
    TBusyScope busy(core_, how.status);
    combs_ = std::move(spare_);
    combs_.clear();
    if (!undo_.empty()) {
        try {
            combs_.reserve(undo_.size());
            narrow(undo_, combs_);
        } catch (...) {
            // Nothing happened: the list and the undo step as they were.
            spare_ = std::move(combs_);
            combs_ = std::move(undo_);
            undo_ = std::move(previousUndo);
            RefreshCombList();
            throw;
        }
        AddFilterLog(how.exclude, how.applied, how.values);
    }
    spare_ = std::move(previousUndo);
    RefreshCombList();  // a selection is cleared with the repaint
}

void TCombsController::RemoveDrawn(int n) {
    int64_t first = 0, last = -1;
    if (n != 0) {
        last = archive_.ReferenceIndex();
        first = std::max<int64_t>(0, last - n + 1);
    }
    const TDrawnSet drawn(archive_.Draws(), static_cast<int>(first), static_cast<int>(last));
    const TNarrowing how{Format("Удаление из списка комбинаций %d последних тиражей...", {n}), true,
                         "Последние тиражи", std::to_string(n)};
    Narrow(how, [&](const TCombsArray& source, TCombsArray& kept) {
        const auto filter =
            MakePredicateFilter([&drawn](const TComb& c) { return drawn.Contains(c); }, true);
        // A generated list is found in by binary search: the few drawn combinations go, the
        // rest is copied.
        std::vector<size_t> drop;
        const bool found = drawn.PositionsIn(source, drop);
        auto next = drop.begin();
        const size_t count = source.size();
        const size_t step = std::max<size_t>(1, count / 100);
        for (size_t done = 0; done < count;) {
            const size_t part = std::min(step, count - done);
            if (!found) {
                filter->Apply(std::span(source).subspan(done, part), kept);
            } else {
                const size_t end = done + part;
                for (size_t from = done; from < end;) {
                    const bool drops = next != drop.end() && *next < end;
                    const size_t to = drops ? *next++ : end;
                    kept.insert(kept.end(), source.begin() + from, source.begin() + to);
                    from = drops ? to + 1 : end;
                }
            }
            done += part;
            if (part == step)
                core_.ShowStatus(Format(
                    "Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )...",
                    {n, static_cast<long double>(done) * 100 / count}));
        }
    });
}

void TCombsController::DeleteSelectedCombs(const std::vector<int>& selectedRows) {
    std::vector<bool> selected(combs_.size(), false);
    int count = 0;
    for (int row : selectedRows)
        if (row >= 0 && row < static_cast<int>(selected.size()) && !selected[row]) {
            selected[row] = true;
            ++count;
        }
    const TNarrowing how{"Удаление выделенных комбинаций...", true, "Выделенные комбинации",
                         std::to_string(count)};
    Narrow(how, [&](const TCombsArray& source, TCombsArray& kept) {
        for (size_t i = 0; i < source.size(); ++i)
            if (!selected[i]) kept.push_back(source[i]);
    });
}

bool TCombsController::CanCombsGen() const {
    return core_.NotBusy();
}

void TCombsController::CombsGenerate(int mode, const std::string& parameter, bool saveAsDefaults) {
    const std::string param = Utf8Left(parameter, kGenerateParametersMax);
    if (saveAsDefaults) config_.SaveGenerateDefaults(static_cast<uint8_t>(mode), param);
    SaveUndo(true);
    GenerateCombs(true, mode, param);
}

bool TCombsController::CanCombsOpen() const {
    return core_.NotBusy();
}

void TCombsController::CombsOpen() {
    TFileChoice choice;
    choice.title = "Открыть";
    choice.filter = kCombFileFilter;
    choice.defaultExtension = kCombFileExtension;
    if (auto name = core_.Ui().ChooseFile(choice)) OpenCombFile(*name);
}

void TCombsController::OpenCombFile(const std::string& name) {
    SaveUndo(true);
    TBusyScope busy(core_, Format("Загрузка файла \"%s\"...", {name}));
    if (!ReadCombFile(name)) RestoreUndo(true);
    ClearUndo();
    ClearFilterLog();
    RefreshCombList();
}

bool TCombsController::CanCombsSave() const {
    return core_.NotBusy() && Count() > 0;
}

void TCombsController::CombsSave() {
    TFileChoice choice;
    choice.save = true;
    choice.title = "Сохранить";
    choice.filter = kCombFileFilter;
    choice.defaultExtension = kCombFileExtension;
    if (auto name = core_.Ui().ChooseFile(choice)) SaveCombFile(*name);
}

void TCombsController::SaveCombFile(const std::string& name) {
    TBusyScope busy(core_, Format("Сохранение файла \"%s\"...", {name}));
    WriteCombFile(name);
}

bool TCombsController::CanCombsUndo() const {
    return core_.NotBusy() && CanUndo();
}

void TCombsController::CombsUndo() {
    RestoreUndo(true);
    DropLastLog();
}

bool TCombsController::CanCombsDelExists(int64_t spinValue) const {
    return core_.NotBusy() && Count() > 0 && archive_.Count() > 0 && spinValue > 0;
}

void TCombsController::CombsDelExists(int n) {
    RemoveDrawn(n);
}

bool TCombsController::CanCombsDelSelected(const std::vector<int>& selectedRows) const {
    return core_.NotBusy() && Count() > 0 &&
           std::any_of(selectedRows.begin(), selectedRows.end(),
                       [this](int row) { return ValidRow(row); });
}

void TCombsController::CombsDelSelected(const std::vector<int>& selectedRows) {
    DeleteSelectedCombs(selectedRows);
}

bool TCombsController::CanCombsCopy() const {
    return core_.NotBusy() && Count() > 0;
}

void TCombsController::CombsCopy(const std::vector<int>& selectedRows) {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    core_.Ui().SetClipboardText(CombsClipboardText(combs_, selectedRows));
}

bool TCombsController::CanCombsPaste() {
    return core_.NotBusy() && core_.Ui().ClipboardText().has_value();
}

void TCombsController::CombsPaste() {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    const std::vector<std::string> lines = SplitLines(core_.Ui().ClipboardText().value_or(""));
    if (lines.empty()) return;
    SaveUndo(false);
    try {
        combs_ = ParseCombLines(lines);
        ClearFilterLog();
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        RestoreUndo(true);
    }
    ClearUndo();
    RefreshCombList();
}

bool TCombsController::CanCombsSelectAll() const {
    return core_.NotBusy() && Count() > 0;
}

void TCombsController::CombsSelectAll(const std::function<void()>& selectEveryRow) {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    if (selectEveryRow) selectEveryRow();
}

bool TCombsController::CanCombsCheckNums() const {
    return core_.NotBusy();
}

void TCombsController::CombsCheckNums() {
    core_.InfoBox(Format("В текущем списке комбинаций содержится %d уникальных номеров",
                         {UniqueNumbers(combs_, combs_.size())}));
}

bool TCombsController::CanCombsFindInDraws(int focusedRow) const {
    return core_.NotBusy() && ValidRow(focusedRow);
}

void TCombsController::CombsFindInDraws(int focusedRow) {
    if (!ValidRow(focusedRow)) return;
    std::vector<std::string> lines;
    {
        TBusyScope busy(core_, "Поиск по архиву тиражей...");
        lines = FindCombInDraws(archive_.Draws(), combs_[focusedRow]);
    }
    if (lines.empty())
        core_.InfoBox("Выделенная комбинация не найдена в архиве тиражей!");
    else
        core_.InfoBox("Выделенная комбинация найдена в следующих тиражах:\n\n" + Join(lines, "\n"));
}

bool TCombsController::CanCombsInfo(int focusedRow) const {
    return core_.NotBusy() && ValidRow(focusedRow);
}

std::vector<TInfoProperty> TCombsController::InfoProperties(int focusedRow) const {
    if (!ValidRow(focusedRow)) return {};
    return archive_.StatInfoRows(combs_[focusedRow], archive_.DrawsOffset(), false);
}

}  // namespace zentrix
