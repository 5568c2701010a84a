#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/game.h"
#include "stakes/regular_rule.h"

namespace zentrix {

inline constexpr const char* kRegularDefaultComment = "Регулярная ставка";
inline constexpr const char* kRegularSelectedCombs = "{...Выделенные комбинации...}";
inline constexpr const char* kRegularDuplicateComment =
    "Запись с таким комментарией уже присутствует в списке!\nВыберите другой комментарий.";
inline constexpr size_t kRegularCommentLimit = 64;

// What the dialog "Добавление регулярной ставки" edits.
struct TRegularDialogFields {
    std::string comment = kRegularDefaultComment;
    bool useLastDraw = false;
    std::string start;  // numbers separated by ";" or ","
    int step = 1;
};

// The dialog's logic over the combinations selected in the list (positions in list order).
class TRegularAddDialog {
  public:
    TRegularAddDialog(const TCombsArray& list, const std::vector<size_t>& selected);

    // The comment "Регулярная ставка", step 1, the constant start: the selected combination, or
    // "{...Выделенные комбинации...}" when not exactly one is selected.
    const TRegularDialogFields& Initial() const { return initial_; }
    bool OneSelected() const { return selected_.size() == 1; }
    // The start edit takes typing only for the constant start of one selected combination.
    bool StartEnabled(bool useLastDraw) const { return !useLastDraw && OneSelected(); }

    // OK: the rules to append, in list order (none for the constant start with nothing
    // selected). Raises EConvertError with the dialog's message: a bad combination, no comment,
    // a comment an existing rule has (case-insensitively), a step outside -20..20.
    TRegularRules Accept(const TRegularDialogFields& fields, const TRegularRules& existing) const;

  private:
    std::vector<std::pair<size_t, TComb>> selected_;  // list position, combination
    TRegularDialogFields initial_;
};

}  // namespace zentrix
