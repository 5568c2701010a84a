#pragma once

#include <QList>
#include <QObject>

#include <memory>
#include <string>

#include "app/export_controller.h"

class QAction;
class QTableView;
class QWidget;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;

// The main window's spreadsheet export commands: one action per table, which opens the options
// dialog on the table's rows and exports after OK.
class TExportCommands : public QObject {
    Q_OBJECT
  public:
    TExportCommands(QWidget* window, TMainSession& session, TActionList& actions);
    ~TExportCommands() override;

    // The command of the table `name` (an entry of ExportTables()); the view gives the selected
    // rows and the shown column widths.
    QAction* Add(const std::string& name, QTableView* view);
    const QList<QAction*>& Actions() const { return actions_; }
    TExportController& Controller() { return *controller_; }

  private:
    void Run(const TExportTableEntry& entry, QTableView* view);

    QWidget* window_;
    TActionList& actionList_;
    std::unique_ptr<TExportController> controller_;
    QList<QAction*> actions_;
};

}  // namespace zentrix::gui
