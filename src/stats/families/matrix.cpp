#include "stats/families/matrix.h"

#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

namespace {

TCellMap AxisCells(const TStatList& list, TMatrixAxis axis) {
    const int cols = list.Config().data.MatrixCols;
    return axis == TMatrixAxis::Columns ? ColumnCells(cols) : RowCells(cols);
}

// One entry per column (row); none for 0 columns or less.
TIndexRange ColumnRange(const TConfigSettings& config) {
    if (config.data.MatrixCols <= 0) return {1, 0};
    return {1, ColumnCells(config.data.MatrixCols).CellCount()};
}

TIndexRange RowRange(const TConfigSettings& config) {
    if (config.data.MatrixCols <= 0) return {1, 0};
    return {1, RowCells(config.data.MatrixCols).CellCount()};
}

const char* AxisWord(TMatrixAxis axis) {
    return axis == TMatrixAxis::Columns ? "столбцов" : "строк";
}

}  // namespace

TCustomMatrixStat::TCustomMatrixStat(const TStatList& list, int index, TMatrixAxis axis)
    : TCellStat(list, index, AxisCells(list, axis)),
      cols_(ColumnCells(list.Config().data.MatrixCols).CellCount()),
      rows_(RowCells(list.Config().data.MatrixCols).CellCount()) {}

TCustomMatrixGraphStat::TCustomMatrixGraphStat(const TStatList& list, int index, TMatrixAxis axis)
    : TCellStat(list, index, AxisCells(list, axis)),
      cols_(ColumnCells(list.Config().data.MatrixCols).CellCount()),
      rows_(RowCells(list.Config().data.MatrixCols).CellCount()) {}

template <typename Self>
std::string TCellMaskStat<Self>::ValueLabel(const TStatDraw& r) const {
    const int count = this->Cells().CellCount();
    const uint32_t mask = static_cast<uint32_t>(r.Key.W1());
    std::string letters;
    for (int bit = count - 1; bit >= 0; --bit) letters += (mask >> bit) & 1 ? '1' : '0';
    return Format("%s (%.3d)", {letters, r.Key.W1()});
}

template <typename Self>
int32_t TCellMaskStat<Self>::LabelToValue(std::string_view text) const {
    uint32_t mask = 0;
    for (int i = 0; i < this->Cells().CellCount(); ++i)
        mask = mask << 1 | (i < static_cast<int>(text.size()) && text[i] == '1' ? 1 : 0);
    return static_cast<int32_t>(mask);
}

template class TCellMaskStat<TstColMask>;
template class TCellMaskStat<TstRowMask>;

uint64_t NeighbourCounters(const TCellMap& map, const TComb& numbers) {
    uint64_t w = 0;
    for (uint32_t pairs = NeighbourPairs(map, NumbersMask(numbers)); pairs != 0; pairs &= pairs - 1)
        w += map.counterUnit[std::countr_zero(pairs) + 1];
    // A counter above 0 reads pairs + 1.
    const uint64_t any = (w | w >> 1 | w >> 2 | w >> 3) & 0x1111111111111111ull;
    return w + any;
}

TStatClassInfo TstColumns::Describe() {
    return {"COLS", "Столбцы матрицы (не пустые)", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRows::Describe() {
    return {"ROWS", "Строки матрицы (не пустые)", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColValues::Describe() {
    return {"COLV", "Количество чисел в столбце матрицы", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRowValues::Describe() {
    return {"ROWV", "Количество чисел в строке матрицы", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColCount::Describe() {
    return {"COLN", "Количество не пустых столбцов в матрице", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRowCount::Describe() {
    return {"ROWN", "Количество не пустых строк в матрице", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColMask::Describe() {
    return {"COLM", "Сочетания столбцов матрицы", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRowMask::Describe() {
    return {"ROWM", "Сочетания строк матрицы", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColAjacent::Describe() {
    return {"COLA", "Столбцы матрицы со смежными числами", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRowAjacent::Describe() {
    return {"ROWA", "Строки матрицы со смежными числами", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColAjacentCnt::Describe() {
    return {"COLC", "Количество столбцов матрицы со смежными числами", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstRowAjacentCnt::Describe() {
    return {"ROWC", "Количество строк матрицы со смежными числами", TStatGroup::Matrix, kFlagN};
}
TStatClassInfo TstColValCnt::Describe() {
    return {
        "COL%d",    "Количество чисел в %0:d столбце матрицы", TStatGroup::Matrix, kFlagN, "COLx",
        ColumnRange};
}
TStatClassInfo TstRowValCnt::Describe() {
    return {"ROW%d", "Количество чисел в %0:d строке матрицы", TStatGroup::Matrix, kFlagN, "ROWx",
            RowRange};
}

template <int K>
TStatClassInfo TstCombColMix<K>::Describe() {
    return {
        Format("KFM%d", {K}),
        Format("Сочетания из %0:d %1:s по всем числам тиража", {K, AxisWord(TMatrixAxis::Columns)}),
        TStatGroup::Matrix, kFlagS};
}
template <int K>
TStatClassInfo TstCombColSeq<K>::Describe() {
    return {
        Format("KFS%d", {K}),
        Format("Сочетания из %0:d %1:s по соседним числам", {K, AxisWord(TMatrixAxis::Columns)}),
        TStatGroup::Matrix, kFlagS};
}
template <int K>
TStatClassInfo TstCombRowMix<K>::Describe() {
    return {
        Format("KRM%d", {K}),
        Format("Сочетания из %0:d %1:s по всем числам тиража", {K, AxisWord(TMatrixAxis::Rows)}),
        TStatGroup::Matrix, kFlagS};
}
template <int K>
TStatClassInfo TstCombRowSeq<K>::Describe() {
    return {Format("KRS%d", {K}),
            Format("Сочетания из %0:d %1:s по соседним числам", {K, AxisWord(TMatrixAxis::Rows)}),
            TStatGroup::Matrix, kFlagS};
}

template class TstCombColMix<2>;
template class TstCombColMix<3>;
template class TstCombColMix<4>;
template class TstCombColSeq<2>;
template class TstCombColSeq<3>;
template class TstCombColSeq<4>;
template class TstCombRowMix<2>;
template class TstCombRowMix<3>;
template class TstCombRowMix<4>;
template class TstCombRowSeq<2>;
template class TstCombRowSeq<3>;
template class TstCombRowSeq<4>;

}  // namespace zentrix
