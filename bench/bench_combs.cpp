#include <benchmark/benchmark.h>

#include "app/session.h"
#include "core/demo_archive.h"
#include "core/enumerate.h"

namespace zentrix {

namespace {

// A window that shows nothing: the cost measured is the engine's, status texts included.
class TNullUi : public TUiPort {
  public:
    void SetStatusPanel(TStatusPanel, const std::string&) override {}
    void ShowStatus(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void SetBusyCursor(bool) override {}
    TMsgResult ShowMessage(const TMessage&) override { return TMsgResult::Ok; }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFile(const TFileChoice&) override { return std::nullopt; }
    void ProgressShow(const std::string&, int, bool) override {}
    void ProgressUpdate(const std::string&, int) override {}
    void ProgressClose() override {}
    std::optional<std::string> ClipboardText() override { return std::nullopt; }
    void SetClipboardText(const std::string&) override {}
    void OpenDocument(const std::string&) override {}
    void ProcessEvents() override {}
    void Invalidate(TUiPart) override {}
};

}  // namespace

// "Исключить тиражи" with 1000 draws over the full list, on a 10,000-draw archive.
static void BM_RemoveDrawn1000(benchmark::State& state) {
    TNullUi ui;
    TMainSession session("/nonexistent", ui);
    session.Archive().Assign(MakeDemoDraws(10000, 1, 45000));
    TCombsController& combs = session.Combs();
    combs.InitArrays();
    combs.Working() = AllCombs();
    for (auto _ : state) {
        combs.RemoveDrawn(1000);
        benchmark::DoNotOptimize(combs.Combs().data());
        state.PauseTiming();
        combs.CombsUndo();  // the full list again for the next round
        state.ResumeTiming();
    }
    state.counters["left"] = combs.Count();
    state.SetItemsProcessed(state.iterations() * kCombCount);
}
BENCHMARK(BM_RemoveDrawn1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace zentrix
