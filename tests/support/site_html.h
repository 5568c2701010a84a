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

// What the site answers for a path: "/archive" lists its newest ten draws, "/archive?from=A&to=B
// &filter_by=draw" those numbered A..B; `site` is oldest first.
inline std::string SitePageFor(const TDrawsArray& site, const std::string& path) {
    const size_t query = path.find("?from=");
    if (query == std::string::npos)
        return SiteArchivePage(
            TDrawsArray(site.size() > 10 ? site.end() - 10 : site.begin(), site.end()));
    const int from = std::stoi(path.substr(query + 6));
    const int to = std::stoi(path.substr(path.find("&to=") + 4));
    TDrawsArray range;
    for (const TDraw& d : site)
        if (d.Number >= from && d.Number <= to) range.push_back(d);
    return SiteArchivePage(range);
}

// Draws first..last with distinct numbers in drawn (unsorted) order and dated texts.
inline TDrawsArray SiteDraws(int first, int last) {
    TDrawsArray draws;
    for (int n = first; n <= last; ++n) {
        TDraw d;
        d.Number = n;
        for (int i = 0; i < 8; ++i) d.Numbers[i] = static_cast<uint8_t>((n + i * 7) % 20 + 1);
        d.Extra = static_cast<uint8_t>(n % 4 + 1);
        const int minute = n % 60;
        d.SetDateText(std::string("05.03.2024 19:") + (minute < 10 ? "0" : "") +
                      std::to_string(minute));
        draws.push_back(d);
    }
    return draws;
}

}  // namespace zentrix::test
