#pragma once

#include <optional>
#include <string>

#include "exchange/systems_catalog.h"

namespace zentrix {

// The properties dialog "Система" without its widgets: the texts of its editable fields, the
// reading of the combination list when the list is left, and the OK checks.
struct TSystemDialogFields {
    std::string title, descr, author, url, list;
    // The number fields as typed (digits only).
    std::string csize, nums, block, downloads;
};

TSystemDialogFields SystemDialogFields(const TSystemData& system);

// Leaving the combination list: the list rewritten line by line, "Числа:" and "Комбинаций:" from
// what is left.
void NormalizeDialogList(TSystemDialogFields& fields);

// OK: the message of the first check that fails (in the dialog's order), or nothing with
// `accepted` built: the id, owner and dates it was opened with (the creation time now when it
// had none), the rest from the fields.
std::optional<std::string> AcceptSystemDialog(const TSystemData& opened,
                                              const TSystemDialogFields& fields,
                                              TSystemData& accepted);

}  // namespace zentrix
