#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/archive_controller.h"
#include "app/session_core.h"
#include "app/stats_controller.h"
#include "core/chart_series.h"
#include "views/draws_graph.h"
#include "views/repeats.h"
#include "views/sum_distribution.h"

namespace zentrix {

inline constexpr const char* kTabGraphsCaption = "Вкладка \"Графики\"";
inline constexpr const char* kTabGraphsHint = "Скрыть / показать вкладку \"Графики\"";

// The repeats window's settings, section TFormRepeats of the window settings file.
struct TRepeatsSettings {
    static constexpr const char* kSection = "TFormRepeats";
    int DrawsLength = kRepeatsLengthDefault;
    int DrawsDeep = kRepeatsDepthDefault;
    int GraphHeight = -1;  // as designed
    void Read(const TIniFile& ini);
    void Write(TIniFile& ini) const;
};

struct TRepeatsResult {
    std::vector<TRepeatsRow> Rows;
    std::vector<TChartSeries> Chart;
};

// The graphs and distribution analyses of the session: the graph tab (a view recomputed after
// the statistics table), the repeats analysis and the sum distribution.
class TChartsController : public TView {
  public:
    TChartsController(TSessionCore& core, TArchiveController& archive, TStatsController& stats);
    ~TChartsController() override;

    // "Количество тиражей, использующихся для построения графиков": DrawsGraphLen, 100 unless
    // set.
    int GraphLength() const;
    void SetGraphLength(int length);
    // Enter in the spin: builds (without force) when the value is within bounds and
    // DrawsGraphDraw is enabled.
    void GraphLengthEntered(int64_t value);
    static constexpr int kGraphLengthMax = 2147483647;
    // The graph type list's position; choosing one builds without force when DrawsGraphDraw is
    // enabled.
    int GraphPosition() const { return stats_.GraphPosition(); }
    void SelectGraphPosition(int position);
    // The registry entry of the selected graph type, -1 when none.
    int GraphEntry() const;

    // BuildDrawsGraph.
    void BuildDrawsGraph(bool forced);
    void Recompute(bool force) override { BuildDrawsGraph(force); }
    const std::vector<TChartSeries>& Graph() const { return graph_.Series; }
    const TDrawsGraph& GraphData() const { return graph_; }
    // Changes with every build or clear.
    int GraphVersion() const { return graphVersion_; }
    const TDrawsGraphCache& Cache() const { return cache_; }

    bool CanDrawsGraphDraw() const;
    void DrawsGraphDraw() { BuildDrawsGraph(true); }

    // TabGraps: shows or hides the tab, stores TabGraphs at once, builds (forced) when shown.
    bool TabShown() const;
    bool CanTabGraps() const { return core_.NotBusy(); }
    void TabGraps();

    // AnalyzeRepeats: the list and the chart over the whole archive, with the progress window.
    bool CanAnalyzeRepeats() const;
    TRepeatsResult AnalyzeRepeats(int length, int depth);
    // The random colours of the repeats chart; a test seeds them.
    void SeedColors(uint32_t seed) { random_.seed(seed); }

    // TotalSumCombs: the distribution over the whole archive.
    bool CanTotalSumCombs() const { return core_.NotBusy(); }
    TSumDistribution TotalSumCombs();

  private:
    TSessionCore& core_;
    TArchiveController& archive_;
    TStatsController& stats_;
    TDrawsGraphCache cache_;
    TDrawsGraph graph_;
    int graphVersion_ = 0;
    std::mt19937 random_{std::random_device{}()};
};

}  // namespace zentrix
