#include "exchange/site_pages.h"

#include <gtest/gtest.h>

#include "exchange/text_extract.h"
#include "support/make_draw.h"
#include "support/site_html.h"

namespace zentrix {
namespace {

using test::MakeDraw;

TEST(SitePages, ReadsTheArchiveTableOldestFirst) {
    const TDrawsArray draws = {
        MakeDraw(491518, {3, 8, 1, 20, 14, 6, 11, 17}, 2, "05.03.2024 19:30"),
        MakeDraw(491519, {5, 2, 19, 7, 12, 16, 9, 4}, 1, "05.03.2024 19:45")};
    const std::string body = ArchiveTableBody(test::SiteArchivePage(draws));
    EXPECT_EQ(TableLastDraw(body), 491519);
    EXPECT_EQ(TableDraws(body), draws);
    EXPECT_EQ(TableLastDraw(ArchiveTableBody(test::SiteArchivePage({}))), 0);
    EXPECT_EQ(SiteRangeUrl("https://x", 10, 19), "https://x/archive?from=10&to=19&filter_by=draw");
}

TEST(SitePages, OddRows) {
    const std::string row =
        "<td><a href=\"#kestra_timeline\" data-drawid=\"%s\"></a></td>"
        "<td class=\"hidden-sm hidden-xs\">05.03.2024 19:30:15 extra UTC</td>"
        "<ul class=\"draw_results\"><li>1</li><li>x</li><li class=\"last\">3</li></ul>";
    auto page = [&](std::initializer_list<const char*> ids) {
        std::string rows;
        for (const char* id : ids) {
            std::string r = row;
            r.replace(r.find("%s"), 2, id);
            rows += r;
        }
        return "<table id=\"archive_table\" class=\"table\"><tbody>" + rows + "</tbody></table>";
    };
    const TDrawsArray draws = TableDraws(ArchiveTableBody(page({"12", "", "0", "-4", "11"})));
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].Number, 11);
    EXPECT_EQ(draws[1].Number, 12);
    EXPECT_EQ(draws[0].DateText(), "05.03.2024 19:30");  // cut to 16
    EXPECT_EQ(draws[0].Numbers[0], 1);
    EXPECT_EQ(draws[0].Numbers[1], 0);  // not numeric
    EXPECT_EQ(draws[0].Numbers[2], 0);  // missing
    EXPECT_EQ(draws[0].Extra, 3);
}

TEST(SitePages, APageWithoutTheTableAsksForAnotherProxy) {
    for (const char* page : {"", "<html>proxy login</html>",
                             "<table id=\"archive_table\" class=\"table\"><tr></tr></table>"})
        EXPECT_THROW(ArchiveTableBody(page), ENeedChangeProxy) << page;
    EXPECT_THROW(ArchiveTableBody("<table id=\"archive_table\" class=\"table\"><tbody>"),
                 EMarksNotFound);
}

}  // namespace
}  // namespace zentrix
