#pragma once

#include <string>

#include "core/draw.h"

namespace zentrix::test {

// An archive page in the lottery site's HTML structure listing `draws` newest first.
inline std::string SiteArchivePage(const TDrawsArray& draws) {
    std::string rows;
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        rows += "<tr><td><a href=\"#kestra_timeline\" data-drawid=\"" + std::to_string(it->Number) +
                "\">" + std::to_string(it->Number) + "</a></td><td class=\"hidden-sm hidden-xs\">" +
                it->DateText() + " UTC</td><td><ul class=\"draw_results\">";
        for (uint8_t n : it->Numbers) rows += "<li>" + std::to_string(n) + "</li>";
        rows += "<li class=\"last\">" + std::to_string(it->Extra) + "</li></ul></td></tr>\n";
    }
    return "<html><body><h1>Архив тиражей</h1><table id=\"archive_table\" class=\"table\">"
           "<thead><tr><th>Тираж</th></tr></thead><tbody>\n" +
           rows + "</tbody></table></body></html>";
}

}  // namespace zentrix::test
