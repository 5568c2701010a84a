#include "core/params_dialog.h"

#include <algorithm>

#include "core/config.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

uint8_t SegmentOf(const std::string& cell) {
    auto v = TryStrToInt(Trim(cell));
    return static_cast<uint8_t>(v && *v >= 1 && *v <= 9 ? *v : 1);
}

// The prize for `overlap` matching numbers as the stake accounting would pay it: the first entry
// for that many matches.
TCurrency PrizeFor(const TConfigData& data, int overlap) {
    for (const TProfit& p : data.Profits)
        if (p.Overlap == overlap) return p.Profit;
    return 0;
}

}  // namespace

std::vector<std::string> PrizeTableRows(const TConfigData& data) {
    std::vector<std::string> rows;
    for (int i = 0; i < kPrizeRows; ++i)
        rows.push_back(Format("%d=%.2f", {i, FromCurrency(PrizeFor(data, i))}));
    return rows;
}

std::vector<TProfit> PrizeTableResult(const std::array<std::string, kPrizeRows>& values) {
    std::vector<TProfit> profits;
    for (int i = 0; i < kPrizeRows; ++i) {
        TProfit p;
        p.Overlap = static_cast<uint8_t>(i);
        if (auto v = TryStrToFloat(values[i])) p.Profit = ClampMoney(*v);
        profits.push_back(p);
    }
    return profits;
}

bool PrizeValueCharAllowed(char32_t c) {
    return c < 32 || c == 127 || (c >= '0' && c <= '9') ||
           c == static_cast<unsigned char>(FormatSettings().decimalSeparator);
}

bool SegmentCharAllowed(char32_t c) {
    return c < 32 || c == 127 || (c >= '0' && c <= '9');
}

TSegmentGrid::TSegmentGrid(const std::array<uint8_t, kMaxNumber>& segments, int cols)
    : cols_(std::clamp(cols, kMatrixColsMin, kMatrixColsMax)) {
    for (int i = 0; i < kMaxNumber; ++i)
        cells_[i] = std::to_string(segments[i] >= 1 && segments[i] <= 9 ? segments[i] : 1);
}

int TSegmentGrid::Rows() const {
    return GroupCount(1, kMaxNumber, cols_);
}

int TSegmentGrid::NumberAt(int row, int col) const {
    if (row < 0 || col < 0 || col >= cols_) return 0;
    int n = CellNumber(row, cols_, col);
    return n >= 1 && n <= kMaxNumber ? n : 0;
}

const std::string& TSegmentGrid::Cell(int row, int col) const {
    static const std::string kNone;
    int n = NumberAt(row, col);
    return n ? cells_[n - 1] : kNone;
}

std::optional<std::string> TSegmentGrid::SetCell(int row, int col, const std::string& text) {
    int n = NumberAt(row, col);
    if (!n) return std::nullopt;
    auto v = TryStrToInt(text);
    const bool bad = !text.empty() && (!v || *v < 1 || *v > 9);
    std::optional<std::string> error;
    if (bad) error = Format("Некорректное значение: %s!\n\nУкажите любое число от 1 до 9", {text});
    cells_[n - 1] = bad ? std::string("1") : std::string(text);
    return error;
}

void TSegmentGrid::SetCols(int cols) {
    const std::array<uint8_t, kMaxNumber> digits = Segments();
    cols_ = std::clamp(cols, kMatrixColsMin, kMatrixColsMax);
    for (int i = 0; i < kMaxNumber; ++i) cells_[i] = std::to_string(digits[i]);
}

std::array<uint8_t, kMaxNumber> TSegmentGrid::Segments() const {
    std::array<uint8_t, kMaxNumber> digits;
    for (int i = 0; i < kMaxNumber; ++i) digits[i] = SegmentOf(cells_[i]);
    return digits;
}

int TParamsDialogModel::MatrixRows() const {
    return GroupCount(1, kMaxNumber, matrixCols);
}

void TParamsDialogModel::SetMatrixCols(int cols) {
    matrixCols = std::clamp(cols, kMatrixColsMin, kMatrixColsMax);
    segments.SetCols(matrixCols);
}

TConfigData TParamsDialogModel::Result() const {
    TConfigData d = original;
    d.MatrixCols = std::clamp(matrixCols, kMatrixColsMin, kMatrixColsMax);
    d.ChannelSize = std::clamp(channelSize, kChannelSizeMin, kChannelSizeMax);
    d.Cost = ClampMoney(FromCurrency(cost));
    d.Profits = PrizeTableResult(prizeValues);
    d.CDL = cdl;
    d.CDL.Count = ClampCoefficient(cdl.Count, original.CDL.Count);
    d.CDL.Deviation = ClampCoefficient(cdl.Deviation, original.CDL.Deviation);
    d.CDL.Level = ClampCoefficient(cdl.Level, original.CDL.Level);
    d.MatrixSegments = segments.Segments();
    return d;
}

TParamsDialogModel OpenParamsDialog(const TConfigData& data) {
    TParamsDialogModel m;
    m.original = data;
    m.matrixCols = std::clamp(data.MatrixCols, kMatrixColsMin, kMatrixColsMax);
    m.channelSize = std::clamp(data.ChannelSize, kChannelSizeMin, kChannelSizeMax);
    m.cost = data.Cost;
    for (int i = 0; i < kPrizeRows; ++i)
        m.prizeValues[i] = Format("%.2f", {FromCurrency(PrizeFor(data, i))});
    m.cdl = data.CDL;
    m.segments = TSegmentGrid(data.MatrixSegments, m.matrixCols);
    return m;
}

}  // namespace zentrix
