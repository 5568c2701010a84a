#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;

// The distribution analyses of the menu "Расширенная статистика": the repeats window
// (AnalyzeRepeats) and the sum distribution in the graph window (TotalSumCombs).
class TChartCommands : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kMenuCaption = "Расширенная статистика";

    TChartCommands(QWidget* window, TMainSession& session, TActionList& actions);

    QAction* RepeatsAction() const { return repeats_; }
    QAction* SumsAction() const { return sums_; }
    QList<QAction*> Actions() const { return {repeats_, sums_}; }

  private:
    void ShowRepeats();
    void ShowSums();

    QWidget* window_;
    TMainSession& session_;
    QAction* repeats_;
    QAction* sums_;
};

}  // namespace zentrix::gui
