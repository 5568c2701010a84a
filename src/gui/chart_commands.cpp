#include "gui/chart_commands.h"

#include <QAction>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/graph_window.h"
#include "gui/modal_hooks.h"
#include "gui/repeats_window.h"

namespace zentrix::gui {

TChartCommands::TChartCommands(QWidget* window, TMainSession& session, TActionList& actions)
    : QObject(window), window_(window), session_(session) {
    TChartsController& charts = session_.Charts();
    repeats_ = actions.Add(
        kRepeatsCaption, kRepeatsCaption, {}, [&charts] { return charts.CanAnalyzeRepeats(); },
        [this] { ShowRepeats(); });
    sums_ = actions.Add(
        kSumDistributionCaption, kSumDistributionHint, {},
        [&charts] { return charts.CanTotalSumCombs(); }, [this] { ShowSums(); });
}

void TChartCommands::ShowRepeats() {
    TFormRepeats dialog(window_, session_);
    dialog.Calculate();
    ExecDialog(dialog);
}

void TChartCommands::ShowSums() {
    const TSumDistribution d = session_.Charts().TotalSumCombs();
    TFormGraph graph(window_, session_.Core(), kSumDistributionCaption,
                     GraphSeries(SumDistributionGraph(d)));
    ExecDialog(graph);
}

}  // namespace zentrix::gui
