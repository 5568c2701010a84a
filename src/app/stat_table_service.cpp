#include "app/stat_table_service.h"

#include "app/window_placement.h"

namespace zentrix {

namespace {

constexpr const char* kStatListName = "cbDrawsStat";
constexpr const char* kStatTableName = "lvDrawsStat";

}  // namespace

TStatTableService::TStatTableService(TSessionCore& core, TMethodCatalog& catalog,
                                     TArchiveController& archive, TPrefetchService& prefetch)
    : core_(core), catalog_(catalog), archive_(archive), prefetch_(prefetch) {}

TStatTable TStatTableService::Compute(const TStatTableRequest& request) const {
    TStatTableParams params;
    params.RefIndex = archive_.ReferenceIndex();
    params.WindowLength = request.windowLength;
    params.SortedDraws = archive_.SortedDraws();
    params.CDL = request.cdl;
    params.Prefetch = request.prefetch;
    return TStatTable::Compute(catalog_.Registry().CreateSelected(request.entry, kStatListName),
                               params);
}

TStatTableRequest TStatTableService::Request(int entry, int windowLength) {
    TStatTableRequest request;
    request.entry = entry;
    request.windowLength = windowLength;
    request.cdl = catalog_.Registry().Config().data.CDL;
    if (auto data = prefetch_.Open(entry))
        request.prefetch = std::make_shared<const TPrefetchData>(std::move(*data));
    return request;
}

void TStatTableService::ResetCacheKeys() {
    keys_ = TCacheKeys{};
}

void TStatTableService::ClearTable() {
    table_ = TStatTable();
    ClearChart();
    hasTable_ = false;
}

void TStatTableService::ClearChart() {
    chart_.clear();
    ++chartVersion_;
}

void TStatTableService::Calc(int entry, int windowLength, bool force) {
    const TCacheKeys keys{archive_.Count(), archive_.DrawsOffset(), windowLength, entry};
    if (!force && keys == keys_) return;
    keys_ = keys;
    ClearTable();
    // The view must drop the old rows before anything repaints.
    core_.Invalidate(TUiPart::StatTable);
    if (entry < 0 || archive_.Count() == 0) {
        core_.Invalidate(TUiPart::StatTable);
        return;
    }
    {
        TBusyScope busy(core_, kStatCalcStatus);
        try {
            table_ = Compute(Request(entry, windowLength));
            auto [column, descending] = StoredSort();
            table_.Sort(column, descending);
            chart_ = table_.Chart(core_.Settings().Options().ShowTotalLine);
            ++chartVersion_;
            hasTable_ = true;
        } catch (const std::exception& e) {
            ClearTable();
            core_.ErrorBox(e.what());
        }
    }
    core_.Invalidate(TUiPart::StatTable);
}

std::pair<int, bool> TStatTableService::StoredSort() const {
    auto sort = ReadSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName);
    if (!sort || sort->first < 0 || sort->first >= kStatColumnCount)
        return {kInitialSortColumn, false};
    return {sort->first, sort->second != 0};
}

void TStatTableService::SortByClick(int column) {
    if (column < 0 || column >= kStatColumnCount) return;
    if (hasTable_) {
        table_.SortByClick(column);
        WriteSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName,
                      table_.SortColumn(), table_.SortDescending() ? 1 : 0);
    } else {
        auto [current, descending] = StoredSort();
        WriteSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName, column,
                      column == current && !descending ? 1 : 0);
    }
    core_.Invalidate(TUiPart::StatTable);
}

}  // namespace zentrix
