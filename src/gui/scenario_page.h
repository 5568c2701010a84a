#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "gui/page.h"

class QAction;
class QLabel;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TCatalogPanel;
class TKeptSplitter;
class TListView;
class TVirtualModel;

// The "Сценарий" tab: the scenario list, its line count and the commands that build it.
class TScenarioPage : public QWidget, public TPage {
    Q_OBJECT
  public:
    // excludeDraws gives the combinations view's count of last draws to exclude, the default of
    // a new line.
    TScenarioPage(QWidget* parent, TMainSession& session, TActionList& actions,
                  std::function<int()> excludeDraws);
    ~TScenarioPage() override;

    TListView* List() const { return list_; }
    // The online catalog under the list.
    TCatalogPanel* CatalogPanel() const { return catalog_; }
    QLabel* LinesPanel() const { return lines_; }
    QList<QAction*> Actions() const { return menuActions_; }

    struct TActions {
        QAction *open, *save, *add, *separator, *append, *clone, *edit, *remove, *removeAll,
            *moveUp, *moveDown;
        // Running the scenario.
        QAction *forecast, *test, *stop, *log, *deleteLogs, *checkOnLine;
    };
    const TActions& Commands() const { return commands_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;
    // While a run goes on, the pages it works with are disabled (the window gives them).
    void SetRunPages(QList<QWidget*> pages) { runPages_ = std::move(pages); }
    QLabel* Panel(int index) const;

  private:
    // The focused row when it is selected, -1 otherwise.
    int SelectedRow() const;
    void SelectRow(int row);
    // Runs the command dialog; the line it gives, or nothing when cancelled.
    bool EditLine(const QString& caption, int row, std::string& line);
    void Add();
    void Clone();
    void Edit();
    void Delete();
    void CreateRunActions();
    // Runs the forecast or the test with the run's view of the page: panels, the executed line,
    // the pages disabled, the stop command live.
    void RunScenario(const std::function<void()>& run);

    TMainSession& session_;
    TActionList& actions_;
    std::function<int()> excludeDraws_;
    TVirtualModel* model_;
    TListView* list_;
    TCatalogPanel* catalog_;
    TKeptSplitter* split_;
    QLabel* lines_;
    QList<QLabel*> runPanels_;  // cycle, line, stakes, text
    QList<QWidget*> runPages_;
    class TRunView;
    std::unique_ptr<TRunView> runView_;
    TActions commands_{};
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
