#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zentrix {

// Days since 30.12.1899 with the time of day as the fraction, so that date 0 is a Saturday.
using TDateTime = double;

struct TDateParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, msec = 0;
};

bool IsValidDate(int year, int month, int day);
// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);
TDateTime EncodeDateTime(const TDateParts& parts);
TDateParts DecodeDateTime(TDateTime t);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime t);
TDateTime DateOf(TDateTime t);
TDateTime TimeOf(TDateTime t);

// "dd.mm.yyyy hh:nn"; empty when t <= 0.
std::string DateTimeText(TDateTime t);
// Reads "dd.mm.yyyy hh:nn" by the letters' positions in that format; blank text gives 0; a text
// that composes to no valid date-time raises EConvertError.
TDateTime ParseDateTime(std::string_view text);
// The strict reading of a typed text: "dd.mm.yyyy hh:nn" of an existing date and time that
// DateTimeText writes back exactly as typed (no other width, no trailing text, no date it cannot
// write); the empty text gives 0. Raises EConvertError otherwise.
TDateTime ParseExactDateTime(std::string_view text);

// A local date-time as seconds since 1970 (the system's time zone decides summer time), and back.
long long LocalToUnixTime(TDateTime local);
TDateTime UnixToLocalTime(long long seconds);

// The local date and time. Tests install a fixed clock.
TDateTime Now();
void SetClock(std::function<TDateTime()> clock);  // an empty function restores the system clock

}  // namespace zentrix
