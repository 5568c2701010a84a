#include "util/datetime.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <ctime>

#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr int64_t kMsecPerDay = 86400000;
constexpr int64_t kUnixEpochDay = 25569;  // 01.01.1970 as a day number

// Days since 01.01.1970 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

std::function<TDateTime()>& Clock() {
    static std::function<TDateTime()> clock;
    return clock;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        throw EConvertError(Format("Некорректная дата: %.2d.%.2d.%.4d", {day, month, year}));
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw EConvertError(Format("Некорректное время: %.2d:%.2d:%.2d", {hour, minute, second}));
    return static_cast<TDateTime>(((hour * 60 + minute) * 60 + second) * 1000 + msec) / kMsecPerDay;
}

TDateTime EncodeDateTime(const TDateParts& p) {
    return EncodeDate(p.year, p.month, p.day) + EncodeTime(p.hour, p.minute, p.second, p.msec);
}

TDateParts DecodeDateTime(TDateTime t) {
    // Whole milliseconds first, as Delphi does, so 19:29:59.9995 reads as 19:30:00.
    int64_t total = std::llround(std::fabs(t) * kMsecPerDay);
    int64_t days = total / kMsecPerDay;
    int64_t ms = total % kMsecPerDay;
    if (t < 0) days = -days;
    TDateParts p;
    CivilFromDays(days - kUnixEpochDay, p.year, p.month, p.day);
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.msec = static_cast<int>(ms % 1000);
    return p;
}

int DayOfWeek(TDateTime t) {
    int64_t days = static_cast<int64_t>(std::floor(t));
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime t) {
    return std::trunc(t);
}
TDateTime TimeOf(TDateTime t) {
    return std::fabs(t - std::trunc(t));
}

std::string DateTimeText(TDateTime t) {
    if (t <= 0) return {};
    TDateParts p = DecodeDateTime(t);
    return Format("%.2d.%.2d.%.4d %.2d:%.2d", {p.day, p.month, p.year, p.hour, p.minute});
}

TDateTime ParseDateTime(std::string_view input) {
    std::string text = Trim(input);
    if (text.empty()) return 0;
    static constexpr std::string_view kFormat = "dd.mm.yyyy hh:nn";
    auto field = [&](char letter) {
        size_t pos = std::string_view::npos;
        size_t count = 0;
        for (size_t i = 0; i < kFormat.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(kFormat[i])) == letter) {
                if (pos == std::string_view::npos) pos = i;
                ++count;
            }
        }
        if (pos == std::string_view::npos || pos >= text.size()) return 0;
        return StrToIntDef(std::string_view(text).substr(pos, count), 0);
    };
    TDateParts p;
    p.day = field('d');
    p.month = field('m');
    p.year = field('y');
    p.hour = field('h');
    p.minute = field('n');
    p.second = field('s');
    if (!IsValidDate(p.year, p.month, p.day) || p.hour > 23 || p.minute > 59 || p.second > 59 ||
        p.hour < 0 || p.minute < 0 || p.second < 0)
        throw EConvertError(Format("Некорректная дата и время: \"%s\"!", {text}));
    return EncodeDateTime(p);
}

TDateTime ParseExactDateTime(std::string_view text) {
    TDateTime t = 0;
    try {
        t = ParseDateTime(text);
    } catch (const EConvertError&) {
        t = -1;
    }
    if (DateTimeText(t) != text)
        throw EConvertError(
            Format("Некорректная дата и время: \"%s\"! Ожидается \"дд.мм.гггг чч:мм\".", {text}));
    return t;
}

TDateTime Now() {
    if (Clock()) return Clock()();
    std::timespec ts{};
    std::timespec_get(&ts, TIME_UTC);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    TDateParts p{local.tm_year + 1900,
                 local.tm_mon + 1,
                 local.tm_mday,
                 local.tm_hour,
                 local.tm_min,
                 local.tm_sec,
                 static_cast<int>(ts.tv_nsec / 1000000)};
    p.second = std::min(p.second, 59);  // leap second
    return EncodeDateTime(p);
}

void SetClock(std::function<TDateTime()> clock) {
    Clock() = std::move(clock);
}

long long LocalToUnixTime(TDateTime local) {
    const TDateParts p = DecodeDateTime(local);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_isdst = -1;
    return static_cast<long long>(std::mktime(&tm));
}

TDateTime UnixToLocalTime(long long seconds) {
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&when, &local);
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec, 0});
}

}  // namespace zentrix
