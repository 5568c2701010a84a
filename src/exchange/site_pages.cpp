#include "exchange/site_pages.h"

#include "exchange/text_extract.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kRowMarker = "<td><a href=\"#kestra_timeline\"";
constexpr size_t kSiteDateLength = 16;

int IntOrZero(const std::string& text) {
    return TryStrToInt(text).value_or(0);
}

int RowDrawNumber(const std::string& row) {
    return IntOrZero(ExtractBetween(row, "data-drawid=\"", "\"", TMissingEnd::Raise));
}

}  // namespace

ENeedChangeProxy NeedChangeProxy() {
    return ENeedChangeProxy(
        "Не удалось загрузить список тиражей! Возможно необходимо перенастроить параметры "
        "proxy-сервера");
}

std::string SiteArchiveUrl(const std::string& base) {
    return base + "/archive";
}

std::string SiteRangeUrl(const std::string& base, int from, int to) {
    return base + Format("/archive?from=%d&to=%d&filter_by=draw", {from, to});
}

std::string ArchiveTableBody(std::string_view page) {
    const std::string table = ExtractBetween(page, "<table id=\"archive_table\" class=\"table\">",
                                             "</table>", TMissingEnd::Raise);
    if (table.find("<tbody>") == std::string::npos) throw NeedChangeProxy();
    return ExtractBetween(table, "<tbody>", "</tbody>", TMissingEnd::Raise);
}

int TableLastDraw(std::string body) {
    const std::string row = CutSegment(body, kRowMarker);
    return row.empty() ? 0 : RowDrawNumber(row);
}

TDrawsArray TableDraws(std::string body) {
    TDrawsArray newestFirst;
    for (std::string row = CutSegment(body, kRowMarker); !row.empty();
         row = CutSegment(body, kRowMarker)) {
        TDraw d;
        d.Number = RowDrawNumber(row);
        if (d.Number <= 0) continue;
        d.SetDateText(Utf8Left(ExtractBetween(row, "<td class=\"hidden-sm hidden-xs\">", "UTC</td>",
                                              TMissingEnd::Raise),
                               kSiteDateLength));
        std::string results =
            ExtractBetween(row, "<ul class=\"draw_results\">", "</ul>", TMissingEnd::Raise);
        for (uint8_t& n : d.Numbers)
            n = static_cast<uint8_t>(
                IntOrZero(CutBetween(results, "<li>", "</li>", TMissingEnd::Raise)));
        d.Extra = static_cast<uint8_t>(
            IntOrZero(CutBetween(results, "<li class=\"last\">", "</li>", TMissingEnd::Raise)));
        newestFirst.push_back(d);
    }
    return TDrawsArray(newestFirst.rbegin(), newestFirst.rend());
}

}  // namespace zentrix
