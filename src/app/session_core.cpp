#include "app/session_core.h"

#include <algorithm>

#include "util/errors.h"
#include "util/format.h"
#include "util/program_folder.h"

namespace zentrix {

TSessionCore::TSessionCore(std::string dataFolder, TUiPort& ui)
    : folder_(std::move(dataFolder)), ui_(ui), settings_(ProgramFile(folder_, ".frm")) {}

std::string TSessionCore::FilePath(const std::string& extension) const {
    return ProgramFile(folder_, extension);
}

void TSessionCore::StoreOption(TMainOption option) {
    try {
        settings_.StoreOption(option);
    } catch (const std::exception& e) {
        ErrorBox(ErrorText(e));
    }
}

void TSessionCore::BeginBusy() {
    if (busy_++ == 0) {
        ui_.SetBusyCursor(true);
        ui_.Invalidate(TUiPart::Actions);
    }
}

void TSessionCore::EndBusy() {
    if (busy_ == 0) return;
    if (--busy_ == 0) {
        ui_.SetBusyCursor(false);
        ui_.Invalidate(TUiPart::Actions);
    }
}

void TSessionCore::ShowStatus(const std::string& text) {
    ui_.ShowStatus(text);
}

void TSessionCore::SetStatusPanel(TStatusPanel panel, const std::string& text) {
    ui_.SetStatusPanel(panel, text);
}

void TSessionCore::ErrorBox(const std::string& text) {
    ui_.ShowMessage({TMsgKind::Error, "Ошибка", text, TMsgButtons::Ok, TMsgResult::Ok});
}

void TSessionCore::InfoBox(const std::string& text) {
    ui_.ShowMessage({TMsgKind::Information, "Информация", text, TMsgButtons::Ok, TMsgResult::Ok});
}

void TSessionCore::WarningBox(const std::string& text, const std::string& title) {
    ui_.ShowMessage({TMsgKind::Warning, title, text, TMsgButtons::Ok, TMsgResult::Ok});
}

bool TSessionCore::Confirm(const std::string& text, bool defaultYes) {
    return ui_.ShowMessage({TMsgKind::Question, "Подтверждение", text, TMsgButtons::YesNo,
                            defaultYes ? TMsgResult::Yes : TMsgResult::No}) == TMsgResult::Yes;
}

bool TSessionCore::ConfirmDelete(int count) {
    std::string text =
        count == 1
            ? std::string("Удалить выделенную запись?")
            : Format("Удалить все выделенные записи (всего будет удалено %d записи(ей))?", {count});
    return ui_.ShowMessage({TMsgKind::Warning, "Предупреждение", text, TMsgButtons::YesNo,
                            TMsgResult::No}) == TMsgResult::Yes;
}

void TSessionCore::ReportFailure(const std::string& fixedText, const std::exception& error) {
    ErrorBox(Format(fixedText, {ErrorText(error)}));
}

void TSessionCore::ShowProgress(const std::string& text, int maximum, bool withStop) {
    if (progressShown_) throw EZentrix("Окно индикатора уже создано!");
    progressShown_ = true;
    progressText_ = text.empty() ? "Подождите пожалуйста..." : text;
    progressMax_ = std::max(0, maximum);
    progressPos_ = 0;
    ui_.ProgressShow(progressText_, progressMax_, withStop);
}

void TSessionCore::SetProgressText(const std::string& text) {
    if (!progressShown_) return;
    progressText_ = text;
    ui_.ProgressUpdate(progressText_, progressPos_);
    ui_.ProcessEvents();
}

void TSessionCore::StepProgress(int n) {
    if (!progressShown_) return;
    progressPos_ = std::min(progressMax_, progressPos_ + n);
    ui_.ProgressUpdate(progressText_, progressPos_);
    ui_.ProcessEvents();
}

void TSessionCore::CloseProgress() {
    if (!progressShown_) return;
    progressShown_ = false;
    ui_.ProgressClose();
}

void TSessionCore::RegisterView(TView* view) {
    views_.push_back(view);
}

void TSessionCore::UnregisterView(TView* view) {
    std::erase(views_, view);
}

void TSessionCore::RefreshViews(bool force) {
    if (viewsSuspended_) return;
    for (TView* v : views_) v->Recompute(force);
}

TBusyScope::TBusyScope(TSessionCore& core, const std::string& status) : core_(core) {
    core_.BeginBusy();
    core_.ShowStatus(status);
}

TBusyScope::~TBusyScope() {
    core_.ShowStatus({});
    core_.EndBusy();
}

TProgressScope::TProgressScope(TSessionCore& core, const std::string& text, int maximum)
    : core_(core) {
    core_.ShowProgress(text, maximum);
}

TProgressScope::~TProgressScope() {
    core_.CloseProgress();
}

}  // namespace zentrix
