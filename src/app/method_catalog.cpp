#include "app/method_catalog.h"

#include "stats/custom_stat.h"

namespace zentrix {

TMethodCatalog::TMethodCatalog(TSessionCore& core, const TDrawsArray& draws,
                               TConfigSettings& config)
    : core_(core), registry_(draws, config) {}

std::string TMethodCatalog::MethodListPath() const {
    return core_.FilePath(kMethodListExtension);
}

void TMethodCatalog::LoadMethodList() {
    std::string message;
    if (!registry_.LoadMethodList(MethodListPath(), true, message)) core_.ErrorBox(message);
    // Favourites that name no method of this registry (say, a column method gone with fewer
    // matrix columns) would leave the lists empty: choosing none means all.
    bool any = false;
    for (int i = 0; i < registry_.MethodCount() && !any; ++i) any = registry_.IsShown(i);
    if (!any) registry_.SetAllFavourite();
}

bool TMethodCatalog::SaveMethodList() {
    std::string message;
    if (registry_.SaveMethodList(MethodListPath(), true, false, message)) return true;
    core_.ErrorBox(message);
    return false;
}

void TMethodCatalog::Init() {
    registry_.RegisterMethods();
    LoadMethodList();
}

void TMethodCatalog::Rebuild() {
    SaveMethodList();
    registry_.RegisterMethods();
    registry_.SetAllFavourite();
    LoadMethodList();
}

std::string TMethodCatalog::EntryCode(int entry) const {
    const TStatMethod& m = registry_.MethodAt(entry);
    return m.Class->CodeOf(m.Index);
}

int TMethodCatalog::StatsPosition(int entry) const {
    for (size_t i = 0; i < lists_.Stats.size(); ++i)
        if (lists_.Stats[i].Entry == entry) return static_cast<int>(i);
    return -1;
}

int TMethodCatalog::StatsEntry(int position) const {
    return position >= 0 && position < static_cast<int>(lists_.Stats.size())
               ? lists_.Stats[position].Entry
               : -1;
}

std::string TMethodCatalog::StatsCaption(int position) const {
    return position >= 0 && position < static_cast<int>(lists_.Stats.size())
               ? lists_.Stats[position].Caption
               : std::string();
}

void TMethodCatalog::AddInfoRows(const TInfoRowsQuery& query,
                                 std::vector<TInfoProperty>& rows) const {
    const int position = query.position;
    const bool sorted = query.sorted;
    TComb shown = query.numbers;
    if (sorted) SortComb(shown);
    for (int i = 0; i < registry_.MethodCount(); ++i) {
        const TStatMethod& m = registry_.MethodAt(i);
        if (!m.Class->IsGraph() || !m.Class->IsListed()) continue;
        auto stat = registry_.CreateStat(i);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        if (!graph) continue;
        // A draw's graph value is read from the draw itself (its extra number included); a
        // combination's from its 8 numbers.
        const int32_t value = query.isDraw
                                  ? graph->GraphValue(position, position, sorted)
                                  : graph->CombGraphValue(shown, position, position, sorted);
        rows.push_back({m.Class->NameOf(m.Index), std::to_string(value)});
    }
}

}  // namespace zentrix
