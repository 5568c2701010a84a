#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "server/catalog_store.h"

namespace zentrix::server {

// Form fields as received (percent-decoded bytes).
using TFormFields = std::multimap<std::string, std::string>;

// The script paths the service answers ("/scripts/scr_getlist.php", ...).
const std::vector<std::string>& ServicePaths();

// The reply to one form post: rows of "<result>", or one error row for a refused or malformed
// request. Never throws.
std::string HandleServiceRequest(TCatalogStore& store, std::string_view path,
                                 const TFormFields& fields);

}  // namespace zentrix::server
