#include "stats/families/varsel.h"

namespace zentrix {

namespace {

// K4 of the main value that is the pair (1, a + b).
constexpr int kPairMark = 2;

}  // namespace

std::vector<int> VarselMultiples(int f) {
    std::vector<int> out;
    if (f <= 0) return out;
    for (int64_t g = int64_t{f} * f > 19 ? int64_t{f} * f : int64_t{f} * f * f; g > f; g -= f)
        if (g <= kMaxNumber) out.push_back(static_cast<int>(g));
    return out;
}

TStatClassInfo TstVarsel1::Describe() {
    return {"HCV1", "Число Варсела 1 (только разность)", TStatGroup::Varsel, kFlagS | kFlagN};
}

TStatClassInfo TstVarsel2::Describe() {
    return {"HCV2", "Число Варсела 2 (разность + сложение, если {0,1})", TStatGroup::Varsel,
            kFlagS | kFlagN};
}

TStatClassInfo TstVarsel3::Describe() {
    return {"HCV3", "Числа Варсела 3 (динамический, только фильтр)", TStatGroup::Varsel,
            kFlagS | kFlagD};
}

std::string TstVarsel3::ValueLabel(const TStatDraw& record) const {
    std::string label = K1Text(record);
    if (record.Key.K[3] == kPairMark) label += " (" + std::to_string(record.Key.K[1]) + ")";
    return label;
}

void TstVarsel3::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) {
    if (ctx.Index != ctx.RefIndex) return;
    // Zeros when the reference draw is the last one: then nothing came out after it.
    const TDraw next = ArchiveDraw(ctx.RefIndex + 1, false);
    auto add = [&](const TStatKey& key) {
        const int n = key.K[0];
        work_.Count = n >= 1 && n <= kMaxNumber && InComb(n, next.Numbers) ? 1 : 0;
        AddKey(values, key, false);
    };
    const TVarselPair p = VarselPair(ctx.Draw->Numbers);
    const int d = p.Difference();
    TStatKey main;
    main.K[0] = static_cast<int16_t>(d < 2 ? p.a + p.b : d);
    if (d == 1) {
        main.K[1] = 1;
        main.K[3] = kPairMark;
    }
    add(main);
    for (int g : VarselMultiples(main.K[0])) {
        TStatKey key;
        key.K[0] = static_cast<int16_t>(g);
        add(key);
    }
}

bool TstVarsel3::DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                              const TStatContext&) const {
    const TByteSet numbers = SelectedBytes(selected);
    for (uint8_t n : comb)
        if (numbers.Has(n)) return true;
    return false;
}

std::unique_ptr<TCombFilter> TstVarsel3::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                         const TStatContext& ctx) const {
    return AnyByteFilter(SelectedBytes(selected), ctx.Exclude);
}

}  // namespace zentrix
