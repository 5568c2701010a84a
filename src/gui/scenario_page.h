#pragma once

#include <QWidget>

#include <functional>

#include "gui/page.h"

class QAction;
class QLabel;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
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

    TListView* List() const { return list_; }
    QLabel* LinesPanel() const { return lines_; }
    QList<QAction*> Actions() const { return menuActions_; }

    struct TActions {
        QAction *open, *save, *add, *separator, *append, *clone, *edit, *remove, *removeAll,
            *moveUp, *moveDown;
    };
    const TActions& Commands() const { return commands_; }

    void RestoreSettings(TWindowSettings& settings) override;
    void StoreSettings(TWindowSettings& settings) override;
    void OnInvalidated(TUiPart part) override;

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

    TMainSession& session_;
    TActionList& actions_;
    std::function<int()> excludeDraws_;
    TVirtualModel* model_;
    TListView* list_;
    QLabel* lines_;
    TActions commands_{};
    QList<QAction*> menuActions_;
};

}  // namespace zentrix::gui
