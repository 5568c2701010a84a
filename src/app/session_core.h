#pragma once

#include <exception>
#include <string>
#include <vector>

#include "app/session_events.h"
#include "app/ui_port.h"
#include "app/window_settings.h"

namespace zentrix {

// A view that recomputes after a change of the archive, the offset or the options (statistics
// table, graphs, card, ...). Each decides from force and its own cache whether to recompute.
class TView {
  public:
    virtual ~TView() = default;
    virtual void Recompute(bool force) = 0;
};

// The conventions every action follows, shared by the controllers of the session: the data
// folder, the busy state, the status line, message boxes, the progress window, the window
// settings, the session's events and the ordered list of views.
class TSessionCore {
  public:
    TSessionCore(std::string dataFolder, TUiPort& ui);
    TSessionCore(const TSessionCore&) = delete;
    TSessionCore& operator=(const TSessionCore&) = delete;

    TUiPort& Ui() { return ui_; }
    const std::string& Folder() const { return folder_; }
    // The program file's name with the given extension in the data folder.
    std::string FilePath(const std::string& extension) const;
    TWindowSettings& Settings() { return settings_; }
    TSessionEvents& Events() { return events_; }
    // Writes one option at once; a failure is shown and the option stays as set in memory.
    void StoreOption(TMainOption option);

    // Busy state: a nesting counter with the hourglass cursor while above 0.
    void BeginBusy();
    void EndBusy();
    bool NotBusy() const { return busy_ == 0; }

    void ShowStatus(const std::string& text);
    void SetStatusPanel(TStatusPanel panel, const std::string& text);

    // Message boxes with the program's titles and icons.
    void ErrorBox(const std::string& text);
    void InfoBox(const std::string& text);
    void WarningBox(const std::string& text, const std::string& title = "Предупреждение");
    // "Подтверждение" with Yes and No; true on Yes.
    bool Confirm(const std::string& text, bool defaultYes = true);
    // "Удалить выделенную запись?" / "Удалить все выделенные записи (...)?" in "Предупреждение",
    // No by default.
    bool ConfirmDelete(int count);
    // A failure of a file or a service: the fixed text (with one %s for the failure's own text)
    // in an error box.
    void ReportFailure(const std::string& fixedText, const std::exception& error);

    // The single progress window; a second ShowProgress raises "Окно индикатора уже создано!".
    void ShowProgress(const std::string& text, int maximum, bool withStop = false);
    void SetProgressText(const std::string& text);
    void StepProgress(int n = 1);
    void CloseProgress();
    bool ProgressShown() const { return progressShown_; }

    void RegisterView(TView* view);
    void UnregisterView(TView* view);
    // Recomputes the views in their order, unless suspended (a running regular-stakes test).
    void RefreshViews(bool force);
    void SetViewsSuspended(bool suspended) { viewsSuspended_ = suspended; }

    void Invalidate(TUiPart part) { ui_.Invalidate(part); }

  private:
    std::string folder_;
    TUiPort& ui_;
    TWindowSettings settings_;
    TSessionEvents events_;
    int busy_ = 0;
    bool progressShown_ = false;
    std::string progressText_;
    int progressMax_ = 0;
    int progressPos_ = 0;
    std::vector<TView*> views_;
    bool viewsSuspended_ = false;
};

// Busy mark and status text for one operation; both are cleared at its end, also on failure.
class TBusyScope {
  public:
    TBusyScope(TSessionCore& core, const std::string& status);
    ~TBusyScope();
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

  private:
    TSessionCore& core_;
};

// Closes the progress window at the end of a scope.
class TProgressScope {
  public:
    TProgressScope(TSessionCore& core, const std::string& text, int maximum);
    ~TProgressScope();
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

  private:
    TSessionCore& core_;
};

}  // namespace zentrix
