#pragma once

#include <optional>
#include <string>

namespace zentrix {

enum class TMsgKind { Error, Information, Warning, Question };
enum class TMsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class TMsgResult { Ok, Cancel, Yes, No };

struct TMessage {
    TMsgKind kind = TMsgKind::Information;
    std::string title;  // "Ошибка", "Информация", "Предупреждение", "Внимание!", "Подтверждение"
    std::string text;   // line breaks as "\n"
    TMsgButtons buttons = TMsgButtons::Ok;
    TMsgResult defaultButton = TMsgResult::Ok;
};

struct TFileChoice {
    bool save = false;
    std::string title;
    std::string filter;  // "Файлы комбинаций (*.lcv)|*.lcv"
    std::string defaultExtension;
    std::string initialFolder;
    std::string initialName;
};

// Parts of the window whose content the engine changed; the front end repaints them.
enum class TUiPart {
    DrawsList,     // row count or rows of the draws list
    CombList,      // the working combination list
    FilterLog,     // the filter log under it
    DrawsOffset,   // the offset spin (value and maximum)
    StatTable,     // the statistics table and its chart
    MethodLists,   // the statistic method lists
    Actions,       // availability of the actions (busy state, conditions)
    Caption,       // the window caption
    ScenarioList,  // the scenario list and its line count
    StakesList,    // the stakes grid (records added, checked or deleted)
    RatingsList,   // the ratings view (rows, their order or the effectiveness mode)
    // The grid views: built anew, or only their colouring changed.
    DrawCard,
    LayoutScheme,
    LayoutComparisons,
    WeekTable,
    DrawsGraph,    // the graph tab's chart, or whether the tab is shown
    RegularsList,  // the regular stakes list
    // The online scenario catalog panel: its rows, order, selection or visibility.
    ScenarioCatalog,
};

// How the engine speaks to a person. Implemented by the desktop window, by the command line
// (answers from flags, fails when an answer is needed and none was given) and by a scripted fake
// in tests.
// The main status bar's panels, in their order.
enum class TStatusPanel {
    Archive = 0,      // "Архив тиражей: %d"
    NextDraw,         // "Следующий тираж: %d"
    NextDrawNumbers,  // the numbers of the draw after the reference draw
    Combs,            // "Комбинаций: %d"
    Stakes,           // "Ставок: %d"
    Ratings,          // "Рейтинг: %d"
    Status,           // the status line, set through ShowStatus
};
inline constexpr int kStatusPanelCount = static_cast<int>(TStatusPanel::Status) + 1;

class TUiPort {
  public:
    virtual ~TUiPort() = default;

    // The status line goes through ShowStatus.
    virtual void SetStatusPanel(TStatusPanel panel, const std::string& text) = 0;
    // The status line; the window repaints at once.
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void SetBusyCursor(bool busy) = 0;

    virtual TMsgResult ShowMessage(const TMessage& message) = 0;
    // The input box; nothing when cancelled.
    virtual std::optional<std::string> InputText(const std::string& title,
                                                 const std::string& prompt,
                                                 const std::string& initial) = 0;
    // The file dialog; nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const TFileChoice& choice) = 0;

    // The single progress window.
    virtual void ProgressShow(const std::string& text, int maximum, bool withStop) = 0;
    virtual void ProgressUpdate(const std::string& text, int position) = 0;
    virtual void ProgressClose() = 0;

    // Nothing when the clipboard holds no text.
    virtual std::optional<std::string> ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // An address or a file opened with the desktop's default program.
    virtual void OpenDocument(const std::string& target) = 0;

    // The wait window of a download: a small window kept in front of the main one, one text
    // (line breaks as "\n"); a second call changes the text.
    virtual void WaitShow(const std::string& text) { (void)text; }
    virtual void WaitClose() {}

    // Lets pending window messages run (repaints, the stop command) during a long operation.
    virtual void ProcessEvents() = 0;

    virtual void Invalidate(TUiPart part) = 0;
};

}  // namespace zentrix
