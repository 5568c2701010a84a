#pragma once

#include <string>
#include <string_view>

#include "core/draw.h"
#include "util/errors.h"

namespace zentrix {

// The page came without the archive table: often a proxy's own answer page.
class ENeedChangeProxy : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// "Не удалось загрузить список тиражей! ..." : the page did not hold the archive table.
ENeedChangeProxy NeedChangeProxy();

// The lottery site's pages: addresses under the site's base address and the archive table read
// out of their HTML.
std::string SiteArchiveUrl(const std::string& base);
std::string SiteRangeUrl(const std::string& base, int from, int to);

// The body of the archive table ("<tbody>" ... "</tbody>"); ENeedChangeProxy without it.
std::string ArchiveTableBody(std::string_view page);
// The newest draw number of a table body (its first row), 0 without rows.
int TableLastDraw(std::string body);
// The draws of a table body, oldest first (the page lists newest first); rows without a positive
// draw number are left out, a missing or non-numeric number becomes 0.
TDrawsArray TableDraws(std::string body);

}  // namespace zentrix
