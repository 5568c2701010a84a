#include "scenario/test_count_dialog.h"

#include <algorithm>

#include "util/strings.h"

namespace zentrix {

TTestCountDialog::TTestCountDialog(int drawCount)
    : maximum(std::max(0, drawCount - 1)), initial(std::min(10, std::max(0, drawCount - 1))) {}

std::optional<int> TTestCountDialog::Accept(std::string_view text) const {
    const std::optional<int32_t> value = TryStrToInt(Trim(text));
    if (!value || *value < minimum || *value > maximum) return std::nullopt;
    return *value;
}

}  // namespace zentrix
