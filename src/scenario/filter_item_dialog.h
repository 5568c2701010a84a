#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/config_data.h"
#include "scenario/filter_item.h"
#include "stats/stat_list.h"

namespace zentrix {

// The logic of the filter dialog "Фильтр": its defaults, the availability of the weight group,
// the checks of OK and the item OK gives back. The window binds its controls to the model.
inline constexpr const char* kFilterDialogTitle = "Фильтр";
inline constexpr const char* kBadValueRange = "Введен некорректный диапазон значений!";
inline constexpr const char* kNoValueListMode =
    "Для данного вида статистики не доступен режим выделения по списку значений!";
inline constexpr const char* kMultiSelectStopRefused =
    "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может "
    "быть выполнена!\nВыберите другой способ останова.";
inline constexpr int32_t kMaxStopValue = 2147483647;

// What the dialog takes from the main window.
struct TFilterDialogContext {
    const TStatList* registry = nullptr;
    std::vector<TMethodListItem> stats;  // the statistics list, in its order
    int currentPosition = -1;            // the selected statistic of that list
    int windowLength = 1;                // the statistics window length
    TCDLParams weights;                  // the configuration's weight coefficients
};

struct TFilterDialogModel {
    int statPosition = -1;  // in the context's statistics list; -1 when the list is empty
    std::string drawsLen;   // "Количество тиражей:"
    int sortColumn = 1;     // a column of the statistics table
    bool bottomUp = false;
    bool keepSelected = false;
    bool multiSelect = false;
    int levelMode = 0;
    std::string levelValue;  // "Значения:"
    bool cdlOverride = false;
    std::array<std::string, 3> coefs;  // count, deviation, depth, three decimals
    bool coefPercents = false;
    bool coefAbs = false;
    int stopMode = 0;
    int32_t stopValue = 1;
    std::string statText;  // the item's statistic word, kept when no statistic is listed

    // The override box: the weight modes only.
    bool OverrideEnabled() const;
    // The coefficients and both flags: the override box enabled and ticked.
    bool WeightsEnabled() const { return OverrideEnabled() && cdlOverride; }
};

// The control a failed check focuses.
enum class TFilterControl { WindowLengths, LevelMode, LevelValues, StopMode };
struct TFilterDialogError {
    std::string message;
    TFilterControl focus;
};

// The sort column items: every caption of the statistics table in order.
std::vector<std::string> SortColumnItems();
// The value-list edits take digits, ",", "-", ";" and control keys.
bool ValueListCharAllowed(char32_t c);

// A disabled item shows the main window's statistic and window length and the defaults; an
// enabled one its own values.
TFilterDialogModel OpenFilterDialog(const TFilterItem& item, const TFilterDialogContext& context);
// The checks of OK in their order; the first failure, nothing when the item is accepted.
std::optional<TFilterDialogError> CheckFilterDialog(const TFilterDialogModel& model,
                                                    const TFilterDialogContext& context);
// The accepted item: enabled, every field from the controls.
TFilterItem FilterDialogResult(const TFilterDialogModel& model,
                               const TFilterDialogContext& context);

}  // namespace zentrix
