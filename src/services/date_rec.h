#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A point in time, or a duration (years, months, days ... of elapsed time).
struct TDateRec {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t Millisecond = 0;
    friend bool operator==(const TDateRec&, const TDateRec&) = default;
};

// value counts days since 30 December 1899, its fraction being the time of day.
// A negative value gives the all-zero record; a value below 10000 is a duration
// in days (1.5 gives 1 day, 12 hours).
TDateRec DateTimeToRec(double value);

// The current local date and time.
TDateRec NowRec();

// Elapsed time from earlier to later, every month counted as 30 days. When
// earlier lies after later, shows "Kann Zeit nicht berechnen." and gives nothing.
std::optional<TDateRec> DateRecDifference(TDateRec later, TDateRec earlier);

// The record as text in one of the styles 1 to 11 (any other style: "H:NN  D.MM.YYYY").
// Styles 4 and 9 write a duration in words of the interface language.
// A record of the year 1899 means "no date" and gives "-" except in styles 10 and 11.
std::string FormatDateRec(const TDateRec& rec, int style);
