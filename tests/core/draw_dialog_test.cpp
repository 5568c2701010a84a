#include "core/draw_dialog.h"

#include <gtest/gtest.h>

#include "util/errors.h"

namespace zentrix {
namespace {

TEST(DrawDialog, LineCheck) {
    struct TCase {
        const char* line;
        bool accepted;
    };
    const TCase cases[] = {
        {"1;2;3;4;5;6;7;8;2", true},
        {" 20 , 1;2; 3;4;5;6;7 ; 4 ", true},  // both separators, blanks trimmed
        {"1;2;3;4;5;6;7;7;2", false},         // a repeated main number
        {"1;2;3;4;5;6;7;21;2", false},        // 21 is no number of the game
        {"0;2;3;4;5;6;7;8;2", false},
        {"1;2;3;4;5;6;7;8;5", false},  // the extra number is 1..4
        {"1;2;3;4;5;6;7;8;0", false},
        {"1;2;3;4;5;6;7;8", false},  // no extra number
        {"1;2;3;4;5;6;7;8;2;3", false},
        {"1;2;3;4;5;6;7;x;2", false},
        {"1;2;3;4;5;6;7;8.0;2", false},
        {"", false},
    };
    for (const TCase& c : cases) EXPECT_EQ(ParseDrawLine(c.line).has_value(), c.accepted) << c.line;
    auto typed = ParseDrawLine("9;3;1;20;14;6;11;17;3");
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->numbers, (TComb{9, 3, 1, 20, 14, 6, 11, 17}));  // the order typed
    EXPECT_EQ(typed->extra, 3);
}

TEST(DrawDialog, OpensOnTheRecordAndGivesTheResult) {
    SetClock([] { return EncodeDate(2024, 5, 6) + EncodeTime(21, 15, 40); });
    TDraw blank;
    blank.Number = 106;
    TDrawDialogFields f = DrawDialogFields(blank);
    EXPECT_EQ(f.number, 106);
    EXPECT_EQ(f.numbersLine, "0;0;0;0;0;0;0;0;0");
    EXPECT_EQ(DateTimeText(f.date), "06.05.2024 21:15");  // now, for a record without a date
    EXPECT_THROW(DrawDialogResult(f), EConvertError);
    try {
        DrawDialogResult(f);
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Введена некорректная комбинация!");
    }

    TDraw stored;
    stored.Number = 105;
    stored.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    stored.Extra = 2;
    stored.SetDateText("07.03.2024 19:30");
    f = DrawDialogFields(stored);
    EXPECT_EQ(f.numbersLine, "3;8;1;20;14;6;11;17;2");
    EXPECT_EQ(DrawDialogResult(f), stored);

    // The date picker gives the date, the time picker the time.
    f.date = EncodeDate(2024, 3, 8) + EncodeTime(1, 2, 0);
    f.time = EncodeDate(1999, 1, 1) + EncodeTime(20, 45, 0);
    EXPECT_EQ(DrawDialogResult(f).DateText(), "08.03.2024 20:45");

    stored.SetDateText("99.99.9999 99:99");  // a damaged date opens on now
    EXPECT_EQ(DateTimeText(DrawDialogFields(stored).date), "06.05.2024 21:15");
    SetClock({});
}

TEST(DrawDialog, RefusesADrawNumberThatLeavesNoNextOne) {
    TDrawDialogFields f;
    f.numbersLine = "1;2;3;4;5;6;7;8;2";
    f.number = kMaxDrawNumber;
    EXPECT_EQ(DrawDialogResult(f).Number, 2147483646);
    for (int32_t bad : {INT32_MAX, 0}) {
        f.number = bad;
        EXPECT_THROW(DrawDialogResult(f), EConvertError) << bad;
    }
    EXPECT_THROW(CheckDrawNumber(int64_t{INT32_MAX}), EConvertError);
}

TEST(DrawDialog, ChangedDrawKeepsWhatIsNotGiven) {
    TDraw stored;
    stored.Number = 7;
    stored.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    stored.Extra = 0;  // unknown
    EXPECT_EQ(ChangedDraw(stored, {}), stored);

    TDraw renumbered = ChangedDraw(stored, {9, std::nullopt, std::nullopt});
    EXPECT_EQ(renumbered.Number, 9);
    EXPECT_EQ(renumbered.Extra, 0);
    EXPECT_EQ(renumbered.DateText(), "");  // no date stays none

    TDraw dated = ChangedDraw(stored, {std::nullopt, std::nullopt, "08.03.2024 20:45"});
    EXPECT_EQ(dated.DateText(), "08.03.2024 20:45");
    EXPECT_EQ(dated.Numbers, stored.Numbers);
    EXPECT_EQ(ChangedDraw(dated, {std::nullopt, std::nullopt, ""}).DateText(), "");

    TDraw relined = ChangedDraw(dated, {std::nullopt, "1;2;3;4;5;6;7;8;3", std::nullopt});
    EXPECT_EQ(relined.Numbers, (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(relined.Extra, 3);
    EXPECT_EQ(relined.DateText(), "08.03.2024 20:45");

    // What is given is checked as the dialog checks it.
    const TDrawChange bad[] = {
        {std::nullopt, "1;2;3;4;5;6;7;8;0", std::nullopt},  // a typed extra number is 1..4
        {int64_t{INT32_MAX}, std::nullopt, std::nullopt},
        {int64_t{INT32_MAX} + 1, std::nullopt, std::nullopt},
        {std::nullopt, std::nullopt, "08.03.2024 9:30"},
    };
    for (const TDrawChange& c : bad) EXPECT_THROW(ChangedDraw(stored, c), EConvertError);
}

}  // namespace
}  // namespace zentrix
