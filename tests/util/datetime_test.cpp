#include "util/datetime.h"

#include <gtest/gtest.h>

#include "util/errors.h"

namespace zentrix {
namespace {

TEST(DateTime, DayZeroIsSaturday30Dec1899) {
    EXPECT_EQ(DayOfWeek(0), 7);
    TDateParts p = DecodeDateTime(0);
    EXPECT_EQ(p.year, 1899);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 30);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2024, 3, 7), 45358);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 7)), 5);  // a Thursday
}

TEST(DateTime, TextForms) {
    EXPECT_EQ(DateTimeText(0), "");
    EXPECT_EQ(DateTimeText(-3), "");
    TDateTime t = ParseDateTime("07.03.2024 19:30");
    EXPECT_EQ(DateTimeText(t), "07.03.2024 19:30");
    TDateParts p = DecodeDateTime(t);
    EXPECT_EQ(p.hour, 19);
    EXPECT_EQ(p.minute, 30);
    EXPECT_EQ(p.second, 0);
    EXPECT_EQ(ParseDateTime("   "), 0);
    EXPECT_EQ(DateTimeText(ParseDateTime("29.02.2024")), "29.02.2024 00:00");
    // Just below a minute's end reads as the next minute, as whole milliseconds are taken first.
    EXPECT_EQ(DateTimeText(EncodeDate(2024, 3, 7) + (19 * 60 + 29) / 1440.0 + 59.9999 / 86400),
              "07.03.2024 19:30");
}

TEST(DateTime, ImpossibleDatesRaise) {
    for (const char* bad :
         {"07.13.2024 19:30", "30.02.2023 10:00", "07.03.2024 25:00", "abc", "7.3.2024"})
        EXPECT_THROW(ParseDateTime(bad), EConvertError) << bad;
}

TEST(DateTime, ExactReadingTakesOnlyTextsThatReadBackAsWritten) {
    struct TCase {
        const char* text;
        bool accepted;
    };
    const TCase cases[] = {
        {"07.03.2024 19:30", true},
        {"29.02.2024 00:00", true},
        {"31.12.9999 23:59", true},
        {"", true},                  // no date
        {"07.03.2024 9:30", false},  // read by position, it would be 00:00
        {"7.03.2024 19:30", false},
        {"07.03.10000 19:30", false},  // a year the text cannot hold
        {"07.03.2024 19:30x", false},  // trailing text
        {"07.03.2024 19:30:00", false},
        {"07.03.2024", false},  // the time is required
        {" 07.03.2024 19:30", false},
        {"   ", false},
        {"01.01.1899 10:00", false},  // before day 0: stored as no date
        {"29.02.2023 10:00", false},
        {"07.03.2024 24:00", false},
        {"07-03-2024 19:30", false},
    };
    for (const TCase& c : cases) {
        if (!c.accepted) {
            EXPECT_THROW(ParseExactDateTime(c.text), EConvertError) << c.text;
            continue;
        }
        EXPECT_EQ(DateTimeText(ParseExactDateTime(c.text)), c.text);
    }
    try {
        ParseExactDateTime("07.03.2024 9:30");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(),
                     "Некорректная дата и время: \"07.03.2024 9:30\"! Ожидается \"дд.мм.гггг "
                     "чч:мм\".");
    }
}

TEST(DateTime, InjectableClock) {
    SetClock([] { return 45358.5; });
    EXPECT_EQ(Now(), 45358.5);
    SetClock({});
    EXPECT_GT(Now(), 45000);
}

}  // namespace
}  // namespace zentrix
