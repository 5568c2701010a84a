#include "exchange/text_extract.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TEST(TextExtract, Unquote) {
    EXPECT_EQ(Unquote(" \"a\"\"b\" "), "a\"b");
    EXPECT_EQ(Unquote("\"\""), "");
    EXPECT_EQ(Unquote("  a\"b  "), "a\"b");
    EXPECT_EQ(Unquote("\""), "\"");
    EXPECT_EQ(Unquote("\"x\"y\""), "xy");
}

TEST(TextExtract, ExtractBetweenAndItsMissingEndModes) {
    struct TCase {
        const char* text;
        const char* start;
        const char* end;
        TMissingEnd mode;
        const char* result;
    };
    const TCase cases[] = {
        {"<TD> 12 </td><td>13</td>", "<td>", "</td>", TMissingEnd::Raise, "12"},
        {"a data-drawid=\"77\" b", "DATA-DRAWID=\"", "\"", TMissingEnd::Raise, "77"},
        {"no start here", "<td>", "</td>", TMissingEnd::Raise, ""},
        {"<td>rest", "<td>", "</td>", TMissingEnd::Empty, ""},
        {"<td> rest ", "<td>", "</td>", TMissingEnd::Rest, "rest"},
        {"<td>to the end", "<td>", "", TMissingEnd::Raise, "to the end"},
        {"x<b>\"q\"</b>", "<b>", "</b>", TMissingEnd::Raise, "q"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ExtractBetween(c.text, c.start, c.end, c.mode), c.result) << c.text;
    try {
        ExtractBetween("<td>" + std::string(1000, 'z'), "<td>", "</td>", TMissingEnd::Raise);
        FAIL();
    } catch (const EMarksNotFound& e) {
        const std::string text = e.what();
        EXPECT_EQ(
            text.rfind(
                "Не удалось найти пару идентификаторов \"<td>\" - \"</td>\" в тексте\n\n[<td>zz",
                0),
            0u);
        EXPECT_LT(text.size(), 400u);  // a page is not copied whole into the box
    }
}

TEST(TextExtract, CutBetweenConsumesThroughTheEndMark) {
    std::string results = "<li>4</li><li>17</li><li class=\"last\">3</li>";
    EXPECT_EQ(CutBetween(results, "<li>", "</li>", TMissingEnd::Raise), "4");
    EXPECT_EQ(CutBetween(results, "<li>", "</li>", TMissingEnd::Raise), "17");
    EXPECT_EQ(CutBetween(results, "<li>", "</li>", TMissingEnd::Raise), "");  // none left
    EXPECT_EQ(results, "<li class=\"last\">3</li>");
    EXPECT_EQ(CutBetween(results, "<li class=\"last\">", "</li>", TMissingEnd::Raise), "3");
    EXPECT_EQ(results, "");

    std::string kept = "<a>open";
    EXPECT_EQ(CutBetween(kept, "<a>", "</a>", TMissingEnd::Empty), "");
    EXPECT_EQ(kept, "<a>open");
    EXPECT_EQ(CutBetween(kept, "<a>", "</a>", TMissingEnd::Rest), "open");
    EXPECT_EQ(kept, "");
}

TEST(TextExtract, CutSegmentWalksRows) {
    std::string text = "XaXbX";
    EXPECT_EQ(CutSegment(text, "x"), "a");
    EXPECT_EQ(CutSegment(text, "X"), "b");
    EXPECT_EQ(CutSegment(text, "X"), "");
    EXPECT_EQ(text, "");

    std::string first = "XXaX";
    EXPECT_EQ(CutSegment(first, "X"), "");  // a row walk ends before any row
    std::string none = "abc";
    EXPECT_EQ(CutSegment(none, "X"), "");
    EXPECT_EQ(none, "abc");
}

TEST(TextExtract, ExtractBetween2AppliesTheSecondMarksToTheFirstResult) {
    const char* page = "<div style=\"display:none\" data-port=\"8000\"></div>";
    EXPECT_EQ(ExtractBetween2(page, "<div style=\"display:none\" data-", "</div>", "=\"", "\"",
                              TMissingEnd::Raise),
              "8000");
}

}  // namespace
}  // namespace zentrix
