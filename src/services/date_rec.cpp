#include "services/date_rec.h"

#include "platform/local_time.h"
#include "services/text_helpers.h"
#include "support/messages.h"
#include "support/translation.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

using std::uint16_t;

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr double kFirstDayOf2000 = 36526;    // 1 January 2000 as a date-time value
constexpr double kLastDayOf9999 = 2'958'466; // the day after 31 December 9999
constexpr double kDurationLimit = 10000;

uint16_t U16(std::int64_t value)
{
    return static_cast<uint16_t>(value);
}

// Splits a date-time value (at least 0, before the year 10000) into its fields.
TDateRec SplitDateTime(double value)
{
    using namespace std::chrono;
    const auto milliseconds = static_cast<std::int64_t>(std::llround(value * kMillisecondsPerDay));
    const std::int64_t dayNumber = milliseconds / kMillisecondsPerDay;
    std::int64_t timeOfDay = milliseconds % kMillisecondsPerDay;

    const year_month_day date{sys_days{year{1899} / December / 30} + days{dayNumber}};
    TDateRec rec;
    rec.Year = U16(static_cast<int>(date.year()));
    rec.Month = U16(static_cast<unsigned>(date.month()));
    rec.Day = U16(static_cast<unsigned>(date.day()));
    rec.Millisecond = U16(timeOfDay % 1000);
    timeOfDay /= 1000;
    rec.Second = U16(timeOfDay % 60);
    timeOfDay /= 60;
    rec.Minute = U16(timeOfDay % 60);
    rec.Hour = U16(timeOfDay / 60);
    return rec;
}

// The day after the earlier record's day; day 31 turns into day 1 of the next month.
void NextDay(TDateRec& earlier)
{
    if (earlier.Day == 31) {
        earlier.Day = 1;
        ++earlier.Month;
    } else {
        ++earlier.Day;
    }
}

// later.field - earlier.field; when earlier's field is larger, later borrows
// one unit of `size` and earlier carries one into its next field.
uint16_t Borrow(uint16_t& laterField, uint16_t earlierField, uint16_t size, uint16_t& earlierNext)
{
    if (earlierField > laterField) {
        ++earlierNext;
        laterField = U16(laterField + size);
    }
    return U16(laterField - earlierField);
}

std::string TwoDigits(uint16_t n)
{
    return NumToStrZero(2, n);
}

std::string DateText(const TDateRec& rec) // D.MM.YYYY
{
    return NumToStr(rec.Day) + "." + TwoDigits(rec.Month) + "." + NumToStrZero(4, rec.Year);
}

std::string FullDateText(const TDateRec& rec) // DD.MM.YYYY
{
    return TwoDigits(rec.Day) + "." + TwoDigits(rec.Month) + "." + NumToStrZero(4, rec.Year);
}

std::string ShortYear(uint16_t year)
{
    if (year >= 2000)
        return TwoDigits(U16(year - 2000));
    if (year >= 1900)
        return TwoDigits(U16(year - 1900));
    return TwoDigits(year);
}

std::string HourMinute(const TDateRec& rec)
{
    return NumToStr(rec.Hour) + ":" + TwoDigits(rec.Minute);
}

std::string HourMinuteFull(const TDateRec& rec)
{
    return TwoDigits(rec.Hour) + ":" + TwoDigits(rec.Minute);
}

// "n unit, " for a non-zero field, the unit translated into the interface language.
std::string DurationPart(uint16_t n, const char* one, const char* many)
{
    if (n == 0)
        return {};
    return NumToStr(n) + " " + TranslateProgramText(n == 1 ? one : many) + ", ";
}

std::string WithoutTrailingComma(const std::string& parts)
{
    std::string text = TrimStr(parts);
    if (text.ends_with(','))
        text.pop_back();
    return text;
}

std::string DurationInWords(const TDateRec& rec)
{
    const std::string parts = DurationPart(rec.Year, "Jahr", "Jahre") + DurationPart(rec.Month, "Mon", "Mon") +
                              DurationPart(rec.Day, "Tag", "Tage") + DurationPart(rec.Hour, "Stunde", "Stunden") +
                              DurationPart(rec.Minute, "Min", "Min") + DurationPart(rec.Second, "Sek", "Sek");
    if (parts.empty())
        return "0 " + TranslateProgramText("Sek");
    return WithoutTrailingComma(parts);
}

std::string DurationInDays(const TDateRec& rec)
{
    return WithoutTrailingComma(DurationPart(rec.Year, "Jahr", "Jahre") + DurationPart(rec.Month, "Monate", "Monate") +
                                DurationPart(rec.Day, "Tage", "Tage"));
}

} // namespace

std::optional<TDateRec> DateRecDifference(TDateRec later, TDateRec earlier)
{
    TDateRec result;
    result.Millisecond = Borrow(later.Millisecond, earlier.Millisecond, 1000, earlier.Second);
    result.Second = Borrow(later.Second, earlier.Second, 60, earlier.Minute);
    result.Minute = Borrow(later.Minute, earlier.Minute, 60, earlier.Hour);
    if (earlier.Hour > later.Hour) {
        NextDay(earlier);
        later.Hour = U16(later.Hour + 24);
    }
    result.Hour = U16(later.Hour - earlier.Hour);
    result.Day = Borrow(later.Day, earlier.Day, 30, earlier.Month);
    result.Month = Borrow(later.Month, earlier.Month, 12, earlier.Year);
    if (earlier.Year > later.Year) {
        MyShowMessage("Kann Zeit nicht berechnen.");
        return std::nullopt;
    }
    result.Year = U16(later.Year - earlier.Year);
    return result;
}

TDateRec DateTimeToRec(double value)
{
    // Negative values, values past the year 9999 and non-numbers have no record.
    if (!(value >= 0 && value < kLastDayOf9999))
        return {};
    if (value < kDurationLimit)
        return DateRecDifference(SplitDateTime(value + kFirstDayOf2000), SplitDateTime(kFirstDayOf2000))
            .value_or(TDateRec{});
    return SplitDateTime(value);
}

TDateRec NowRec()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const std::tm local = LocalTime(seconds);
    const auto millisecond = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {U16(local.tm_year + 1900), U16(local.tm_mon + 1), U16(local.tm_mday), U16(local.tm_hour),
            U16(local.tm_min),         U16(local.tm_sec),     U16(millisecond)};
}

std::string FormatDateRec(const TDateRec& rec, int style)
{
    if (rec.Year == 1899 && style != 10 && style != 11)
        return "-";
    const std::string seconds = ":" + TwoDigits(rec.Second);
    switch (style) {
    case 1: return HourMinute(rec) + seconds + "  " + DateText(rec);
    case 2: return DateText(rec) + "  " + HourMinute(rec) + seconds;
    case 3: return DateText(rec) + " " + HourMinute(rec);
    case 4: return DurationInWords(rec);
    case 5: return NumToStrZero(4, rec.Year) + TwoDigits(rec.Month) + TwoDigits(rec.Day);
    case 6: return FullDateText(rec);
    case 7: return FullDateText(rec) + " " + HourMinuteFull(rec);
    case 8:
        return TwoDigits(rec.Day) + "." + TwoDigits(rec.Month) + "." + ShortYear(rec.Year) + " " + HourMinuteFull(rec);
    case 9: return DurationInDays(rec);
    case 10: return HourMinuteFull(rec) + seconds;
    case 11: return HourMinuteFull(rec);
    default: return HourMinute(rec) + "  " + DateText(rec);
    }
}
