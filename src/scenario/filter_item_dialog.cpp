#include "scenario/filter_item_dialog.h"

#include <algorithm>

#include "core/comb_text.h"
#include "scenario/filter_modes.h"
#include "stats/stat_table.h"
#include "util/format.h"

namespace zentrix {

namespace {

// "Вес": at least, at most, from a list.
constexpr int kFirstWeightMode = 19;
constexpr int kLastWeightMode = 21;

bool InRange(int value, int count) {
    return value >= 0 && value < count;
}

int DefaultPosition(const TFilterDialogContext& context) {
    const int count = static_cast<int>(context.stats.size());
    if (InRange(context.currentPosition, count)) return context.currentPosition;
    return count > 0 ? 0 : -1;
}

int PositionOf(const TMethodRef& method, const TFilterDialogContext& context) {
    if (method && context.registry) {
        for (size_t i = 0; i < context.stats.size(); ++i) {
            const TStatMethod& m = context.registry->MethodAt(context.stats[i].Entry);
            if (m.Class == method.Class && m.Index == method.Index) return static_cast<int>(i);
        }
    }
    return context.stats.empty() ? -1 : 0;
}

const TStatMethod* MethodAtPosition(int position, const TFilterDialogContext& context) {
    if (!context.registry || !InRange(position, static_cast<int>(context.stats.size())))
        return nullptr;
    return &context.registry->MethodAt(context.stats[position].Entry);
}

void ShowWeights(TFilterDialogModel& model, const TCDLParams& weights) {
    model.coefs = {FloatToStrF(weights.Count, 3), FloatToStrF(weights.Deviation, 3),
                   FloatToStrF(weights.Level, 3)};
    model.coefPercents = weights.UsePercents;
    model.coefAbs = weights.UseAbsValues;
}

// A list that reads to nothing, or to the single value 0.
bool BadWindowLengths(const std::string& text) {
    const TIntArray list = ParseIntList(text);
    return list.empty() || (list.size() == 1 && list[0] == 0);
}

}  // namespace

bool TFilterDialogModel::OverrideEnabled() const {
    return levelMode >= kFirstWeightMode && levelMode <= kLastWeightMode;
}

std::vector<std::string> SortColumnItems() {
    const auto& captions = StatColumnCaptions();
    return {captions.begin(), captions.end()};
}

bool ValueListCharAllowed(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= '0' && c <= '9') || c == ',' || c == '-' || c == ';';
}

TFilterDialogModel OpenFilterDialog(const TFilterItem& item, const TFilterDialogContext& context) {
    TFilterDialogModel model;
    model.statPosition = DefaultPosition(context);
    model.drawsLen = std::to_string(context.windowLength);
    ShowWeights(model, {});
    model.statText = item.StatText;
    if (!item.Enabled) return model;

    model.statPosition = PositionOf(item.Method, context);
    if (!item.DrawsLen.empty()) model.drawsLen = item.DrawsLen;
    if (InRange(item.DrawsSortOrder, kStatColumnCount)) model.sortColumn = item.DrawsSortOrder;
    model.bottomUp = item.BottomUp;
    model.keepSelected = item.KeepSelected;
    model.multiSelect = item.MultiSelect;
    if (InRange(item.LevelMode, kLevelModeCount)) model.levelMode = item.LevelMode;
    if (!item.LevelValue.empty()) model.levelValue = item.LevelValue;
    model.cdlOverride = item.CDLOverride;
    ShowWeights(model, item.CDLOverride ? item.Weights() : context.weights);
    if (InRange(item.StopMode, kStopModeCount)) model.stopMode = item.StopMode;
    // The spin starts at 1: a text without a stop word reads as 0.
    model.stopValue = std::max(1, item.StopValue);
    return model;
}

std::optional<TFilterDialogError> CheckFilterDialog(const TFilterDialogModel& model,
                                                    const TFilterDialogContext& context) {
    if (BadWindowLengths(model.drawsLen))
        return TFilterDialogError{kBadValueRange, TFilterControl::WindowLengths};
    if (model.levelMode == kLevelByValue) {
        const TStatMethod* method = MethodAtPosition(model.statPosition, context);
        if (!method || !method->Class->CanParse())
            return TFilterDialogError{kNoValueListMode, TFilterControl::LevelMode};
    }
    if (model.levelMode != kLevelAll && ParseIntList(model.levelValue).empty())
        return TFilterDialogError{kBadValueRange, TFilterControl::LevelValues};
    if (model.multiSelect && model.stopMode == kStopCombs)
        return TFilterDialogError{kMultiSelectStopRefused, TFilterControl::StopMode};
    return std::nullopt;
}

TFilterItem FilterDialogResult(const TFilterDialogModel& model,
                               const TFilterDialogContext& context) {
    TFilterItem item;
    item.Enabled = true;
    item.StatText = model.statText;
    if (const TStatMethod* method = MethodAtPosition(model.statPosition, context)) {
        item.Method = {method->Class, method->Index};
        item.StatText = item.Method.Code() + ":" + model.drawsLen;
    }
    item.DrawsLen = model.drawsLen;
    item.DrawsSortOrder = model.sortColumn;
    item.BottomUp = model.bottomUp;
    item.KeepSelected = model.keepSelected;
    item.MultiSelect = model.multiSelect;
    item.LevelMode = static_cast<uint8_t>(std::clamp(model.levelMode, 0, kLevelModeCount - 1));
    item.LevelValue = model.levelValue;
    item.CDLOverride = model.cdlOverride;
    item.CoefCount = CoefValue(model.coefs[0]);
    item.CoefDeviation = CoefValue(model.coefs[1]);
    item.CoefLevel = CoefValue(model.coefs[2]);
    item.CoefPercents = model.coefPercents;
    item.CoefAbs = model.coefAbs;
    item.StopMode = static_cast<uint8_t>(std::clamp(model.stopMode, 0, kStopModeCount - 1));
    item.StopValue = std::clamp(model.stopValue, 1, kMaxStopValue);
    return item;
}

}  // namespace zentrix
