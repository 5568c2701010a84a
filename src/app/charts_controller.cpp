#include "app/charts_controller.h"

#include <algorithm>

#include "stats/custom_stat.h"

namespace zentrix {

namespace {

constexpr const char* kGraphListName = "cbDrawsGraphType";

}  // namespace

void TRepeatsSettings::Read(const TIniFile& ini) {
    DrawsLength = std::max(1, ini.ReadInteger(kSection, "DrawsLength", DrawsLength));
    DrawsDeep = std::max(1, ini.ReadInteger(kSection, "DrawsDeep", DrawsDeep));
    GraphHeight = ini.ReadInteger(kSection, "GraphHeight", GraphHeight);
}

void TRepeatsSettings::Write(TIniFile& ini) const {
    ini.WriteInteger(kSection, "DrawsLength", DrawsLength);
    ini.WriteInteger(kSection, "DrawsDeep", DrawsDeep);
    ini.WriteInteger(kSection, "GraphHeight", GraphHeight);
}

TChartsController::TChartsController(TSessionCore& core, TArchiveController& archive,
                                     TStatsController& stats)
    : core_(core), archive_(archive), stats_(stats) {
    core_.RegisterView(this);
}

TChartsController::~TChartsController() {
    core_.UnregisterView(this);
}

int TChartsController::GraphLength() const {
    const int stored = core_.Settings().Options().DrawsGraphLen;
    return stored < 1 ? kDrawsGraphLenDefault : stored;
}

void TChartsController::SetGraphLength(int length) {
    core_.Settings().Options().DrawsGraphLen = std::clamp(length, 1, kGraphLengthMax);
}

void TChartsController::GraphLengthEntered(int64_t value) {
    if (value < 1 || value > kGraphLengthMax) return;
    SetGraphLength(static_cast<int>(value));
    if (CanDrawsGraphDraw()) BuildDrawsGraph(false);
}

void TChartsController::SelectGraphPosition(int position) {
    if (position < -1 || position >= static_cast<int>(stats_.MethodLists().Graphs.size()))
        position = -1;
    stats_.SetGraphPosition(position);
    if (CanDrawsGraphDraw()) BuildDrawsGraph(false);
}

int TChartsController::GraphEntry() const {
    const auto& graphs = stats_.MethodLists().Graphs;
    const int position = stats_.GraphPosition();
    return position >= 0 && position < static_cast<int>(graphs.size()) ? graphs[position].Entry
                                                                       : -1;
}

bool TChartsController::TabShown() const {
    return core_.Settings().Options().TabGraphs;
}

bool TChartsController::CanDrawsGraphDraw() const {
    return core_.NotBusy() && archive_.Count() > 0 && GraphEntry() >= 0;
}

void TChartsController::BuildDrawsGraph(bool forced) {
    const int entry = GraphEntry();
    const TDrawsGraphKeys keys{archive_.Count(), archive_.DrawsOffset(), GraphLength(), entry};
    if (!cache_.NeedsBuild(forced, TabShown(), keys)) return;
    graph_ = {};
    ++graphVersion_;
    core_.Invalidate(TUiPart::DrawsGraph);
    if (entry < 0 || archive_.Count() == 0) return;
    TBusyScope busy(core_, kDrawsGraphStatus);
    const auto stat = stats_.Registry().CreateSelected(entry, kGraphListName);
    const auto* graphStat = dynamic_cast<const TCustomGraphStat*>(stat.get());
    if (!graphStat) return;
    const auto& graphs = stats_.MethodLists().Graphs;
    graph_ = zentrix::BuildDrawsGraph(*graphStat, archive_.Draws(), archive_.ReferenceIndex(),
                                      GraphLength(), archive_.SortedDraws(),
                                      graphs[stats_.GraphPosition()].Caption);
    ++graphVersion_;
    core_.Invalidate(TUiPart::DrawsGraph);
}

void TChartsController::TabGraps() {
    TMainOptions& o = core_.Settings().Options();
    o.TabGraphs = !o.TabGraphs;
    core_.StoreOption(&TMainOptions::TabGraphs);
    core_.Invalidate(TUiPart::DrawsGraph);
    if (o.TabGraphs) BuildDrawsGraph(true);
}

bool TChartsController::CanAnalyzeRepeats() const {
    return core_.NotBusy() && archive_.Count() > 0;
}

TRepeatsResult TChartsController::AnalyzeRepeats(int length, int depth) {
    TRepeatsResult result;
    core_.BeginBusy();
    try {
        const TDrawsArray& draws = archive_.Draws();
        {
            TProgressScope progress(core_, kRepeatsCollectText, RepeatsDrawCount(draws, length));
            result.Rows =
                zentrix::AnalyzeRepeats(draws, length, depth, [this] { core_.StepProgress(); });
        }
        TProgressScope progress(core_, kRepeatsChartText, static_cast<int>(result.Rows.size()));
        result.Chart = RepeatsChart(result.Rows, random_, [this] { core_.StepProgress(); });
    } catch (...) {
        core_.EndBusy();
        throw;
    }
    core_.EndBusy();
    return result;
}

TSumDistribution TChartsController::TotalSumCombs() {
    TBusyScope busy(core_, kSumDistributionStatus);
    return SumDistribution(archive_.Draws(), archive_.Count() - 1);
}

}  // namespace zentrix
