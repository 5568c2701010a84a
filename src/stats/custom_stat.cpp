#include "stats/custom_stat.h"

#include <charconv>

#include "stats/comb_value_cache.h"
#include "stats/stat_list.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Applies FilterTest to each combination: the family has no faster form.
class TTestFilter : public TCombFilter {
  public:
    TTestFilter(const TCustomStat& stat, std::span<const TStatDraw> selected,
                const TStatContext& ctx)
        : stat_(stat),
          selected_(selected),
          refIndex_(ctx.RefIndex),
          sorted_(ctx.Sorted),
          exclude_(ctx.Exclude) {}

    void Apply(std::span<const TComb> source, TCombsArray& dest) const override {
        for (const TComb& c : source)
            if (stat_.FilterTest(c, selected_, refIndex_, sorted_, exclude_) != exclude_)
                dest.push_back(c);
    }

  private:
    const TCustomStat& stat_;
    std::span<const TStatDraw> selected_;
    int refIndex_;
    bool sorted_;
    bool exclude_;
};

}  // namespace

// A damaged record (kept in the archive for the user to correct) reads as no draw at all: its
// values are no numbers of the game.
TDraw DrawAt(const TDrawsArray& draws, int index, bool sorted) {
    if (index < 0 || index >= static_cast<int>(draws.size()) || !IsSoundDraw(draws[index]))
        return TDraw{};
    TDraw d = draws[index];
    if (sorted) SortDrawNumbers(d);
    return d;
}

std::string K1Text(const TStatDraw& record) {
    char buf[8];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<int>(record.Key.K[0]));
    return std::string(buf, res.ptr);
}

TCustomStat::TCustomStat(const TStatList& list, int index)
    : list_(list), FIndex(index), FDraws(list.Draws()) {}

int32_t TCustomStat::LabelToValue(std::string_view text) const {
    return StrToIntDef(Trim(text), 0);
}

int32_t TCustomStat::ParseValue(std::string_view text) const {
    return StatClass().CanParse() ? LabelToValue(text) : 0;
}

void TCustomStat::ListPossibleValues(int refIndex, TStatDrawArray& values) {
    work_ = TStatDraw{};
    DoListPossibleValues(Context(-1, refIndex, false, false, nullptr), values);
}

TDraw TCustomStat::ArchiveDraw(int index, bool sorted) const {
    return DrawAt(FDraws, index, sorted);
}

void TCustomStat::LoadDraws(int index, int refIndex, bool sorted) {
    current_ = DrawAt(FDraws, index, sorted);
    if (StatClass().MethodFlags() & kFlagD) reference_ = DrawAt(FDraws, refIndex, sorted);
}

void TCustomStat::AddCombValues(const TComb& comb, TStatDrawArray& values) {
    work_ = TStatDraw{};
    work_.Count = 1;
    DoAddCombValues(comb, Context(-1, -1, false, false, nullptr), values);
}

void TCustomStat::AddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                                TScanState& state) {
    if (index >= 0 && index < static_cast<int>(FDraws.size()) && !IsSoundDraw(FDraws[index]))
        return;  // a damaged draw adds no values
    LoadDraws(index, refIndex, sorted);
    work_ = TStatDraw{};
    work_.LastDraw = current_.Number;
    work_.PrevDraw = current_.Number;
    work_.Depth = refIndex - index + 1;
    work_.Count = 1;
    DoAddDrawValues(Context(index, refIndex, sorted, false, &current_), values, state);
}

bool TCustomStat::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                             bool sorted, bool exclude) const {
    return DoFilterTest(comb, selected, Context(-1, refIndex, sorted, exclude, nullptr));
}

int TCustomStat::FindNextOccurrence(const TStatDraw& record, int fromIndex, bool sorted,
                                    int refIndex) {
    std::unique_ptr<TScanState> state = NewScanState();
    TStatDrawArray values;
    for (int i = std::max(fromIndex, 0); i < static_cast<int>(FDraws.size()); ++i) {
        values.clear();
        AddDrawValues(i, refIndex, sorted, values, *state);
        int found = values.Find(record.Key);
        if (found >= 0) return values[found].LastDraw;
    }
    return -1;
}

std::unique_ptr<TScanState> TCustomStat::NewScanState() const {
    return std::make_unique<TScanState>();
}

std::unique_ptr<TCombFilter> TCustomStat::PrepareFilter(std::span<const TStatDraw> selected,
                                                        int refIndex, bool sorted,
                                                        bool exclude) const {
    const TStatContext ctx = Context(-1, refIndex, sorted, exclude, nullptr);
    std::unique_ptr<TCombFilter> direct = DoPrepareFilter(selected, ctx);
    const uint64_t mask = CachedValuesKeyMask();
    if (mask == 0) return direct;
    std::vector<uint64_t> keys;
    keys.reserve(selected.size());
    for (const TStatDraw& r : selected) keys.push_back(r.Key.Packed() & mask);
    auto keysOf = [this, ctx](const TComb& c, std::vector<uint64_t>& out) {
        CollectValues(c, ctx, out);
    };
    return list_.ValueCaches().MakeFilter(StatClass(), FIndex, list_.Config().data, keysOf,
                                          std::move(keys), exclude, std::move(direct));
}

std::unique_ptr<TCombFilter> TCustomStat::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                          const TStatContext& ctx) const {
    return std::make_unique<TTestFilter>(*this, selected, ctx);
}

std::string TCustomGraphStat::ValueLabel(const TStatDraw& record) const {
    return K1Text(record);
}

int32_t TCustomGraphStat::CombGraphValue(const TComb& numbers, int index, int refIndex,
                                         bool sorted) const {
    return DoGraphValue(numbers, Context(index, refIndex, sorted, false, nullptr));
}

int32_t TCustomGraphStat::GraphValue(int index, int refIndex, bool sorted) const {
    const TDraw draw = DrawAt(FDraws, index, sorted);
    return DoGraphValue(draw.Numbers, Context(index, refIndex, sorted, false, &draw));
}

int32_t TCustomGraphStat::DoGraphValue(const TComb& numbers, const TStatContext& ctx) const {
    std::vector<uint64_t> keys;
    CollectValues(numbers, ctx, keys);
    return keys.empty() ? 0 : TStatKey::FromPacked(keys.front()).K[0];
}

std::string TCustomValuesStat::ValueLabel(const TStatDraw& record) const {
    return K1Text(record);
}

std::string TCustomNumbersStat::ValueLabel(const TStatDraw& record) const {
    return K1Text(record);
}

std::string TCustomRatioStat::ValueLabel(const TStatDraw& record) const {
    const int k = record.Key.K[0];
    return K1Text(record) + ":" + std::to_string(kCombSize - k);
}

int32_t TCustomRatioStat::LabelToValue(std::string_view text) const {
    return StrToIntDef(Trim(text.substr(0, text.find(':'))), 0);
}

std::string TCustomMaskStat::ValueLabel(const TStatDraw& record) const {
    const int32_t mask = record.Key.W1();
    const std::string one = OneLetter();
    const std::string zero = ZeroLetter();
    std::string letters;
    for (int bit = 7; bit >= 0; --bit) letters += (mask >> bit) & 1 ? one : zero;
    return Format("%s (%.3d)", {letters, mask});
}

int32_t TCustomMaskStat::LabelToValue(std::string_view text) const {
    const std::string one = OneLetter();
    int32_t mask = 0;
    size_t pos = 0;
    for (int i = 0; i < 8; ++i) {
        mask <<= 1;
        if (pos >= text.size()) continue;
        // One character (a UTF-8 sequence) of the text.
        size_t len = 1;
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        if (text.substr(pos, len) == one) mask |= 1;
        pos += len;
    }
    return mask;
}

void TCustomMaskStat::DoListPossibleValues(const TStatContext&, TStatDrawArray& values) {
    for (int mask = 0; mask < 256; ++mask) AddW1(values, mask, false);
}

}  // namespace zentrix
