#include "recording_messages.h"
#include "services/date_rec.h"
#include "support/messages.h"
#include "support/translation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 8 December 2026, 9:05:03.250
const TDateRec kMorning{2026, 12, 8, 9, 5, 3, 250};

std::string English(const std::string& text)
{
    if (text == "Tag")
        return "day";
    if (text == "Stunden")
        return "hours";
    if (text == "Sek")
        return "sec";
    return text;
}

} // namespace

TEST(DateTimeToRec, SplitsADateTimeValue)
{
    // 46364 is 8 December 2026; 0.3785 of a day is 9:05:02.400.
    EXPECT_EQ(DateTimeToRec(46364.3785), (TDateRec{2026, 12, 8, 9, 5, 2, 400}));
    EXPECT_EQ(DateTimeToRec(36526), (TDateRec{2000, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(DateTimeToRec(10000), (TDateRec{1927, 5, 18, 0, 0, 0, 0}));
    // A time that rounds up to midnight belongs to the next day.
    EXPECT_EQ(DateTimeToRec(36526.9999999999), (TDateRec{2000, 1, 2, 0, 0, 0, 0}));
}

TEST(DateTimeToRec, GivesZeroForValuesWithoutARecord)
{
    EXPECT_EQ(DateTimeToRec(-1), TDateRec{});
    EXPECT_EQ(DateTimeToRec(1e9), TDateRec{});
}

TEST(DateTimeToRec, TakesSmallValuesAsDurations)
{
    EXPECT_EQ(DateTimeToRec(1.5), (TDateRec{0, 0, 1, 12, 0, 0, 0}));
    EXPECT_EQ(DateTimeToRec(0), TDateRec{});
    // 45 days from 1 January 2000 end on 15 February: one month and 14 days.
    EXPECT_EQ(DateTimeToRec(45), (TDateRec{0, 1, 14, 0, 0, 0, 0}));
    // 400 days end on 4 February 2001.
    EXPECT_EQ(DateTimeToRec(400), (TDateRec{1, 1, 3, 0, 0, 0, 0}));
}

TEST(DateRecDifference, BorrowsIntoTheEarlierRecord)
{
    const TDateRec earlier{2026, 11, 30, 23, 59, 59, 900};
    const TDateRec later{2026, 12, 1, 0, 0, 1, 100};
    EXPECT_EQ(DateRecDifference(later, earlier), (TDateRec{0, 0, 0, 0, 0, 1, 200}));

    // An hour borrow on day 31 moves the earlier record to the 1st of its next month.
    const TDateRec endOfMonth{2026, 1, 31, 22, 0, 0, 0};
    const TDateRec nextMorning{2026, 2, 1, 6, 0, 0, 0};
    EXPECT_EQ(DateRecDifference(nextMorning, endOfMonth), (TDateRec{0, 0, 0, 8, 0, 0, 0}));
}

TEST(DateRecDifference, RefusesAnEarlierPointAfterTheLaterOne)
{
    RecordingMessages recorder;
    MessageService* previous = SetMessageService(&recorder);
    const auto difference = DateRecDifference(TDateRec{2020, 1, 1}, TDateRec{2021, 1, 1});
    SetMessageService(previous);

    EXPECT_FALSE(difference.has_value());
    EXPECT_EQ(recorder.shown, std::vector<std::string>{"Kann Zeit nicht berechnen."});
}

TEST(FormatDateRec, WritesEachStyle)
{
    EXPECT_EQ(FormatDateRec(kMorning, 1), "9:05:03  8.12.2026");
    EXPECT_EQ(FormatDateRec(kMorning, 2), "8.12.2026  9:05:03");
    EXPECT_EQ(FormatDateRec(kMorning, 3), "8.12.2026 9:05");
    EXPECT_EQ(FormatDateRec(kMorning, 5), "20261208");
    EXPECT_EQ(FormatDateRec(kMorning, 6), "08.12.2026");
    EXPECT_EQ(FormatDateRec(kMorning, 7), "08.12.2026 09:05");
    EXPECT_EQ(FormatDateRec(kMorning, 8), "08.12.26 09:05");
    EXPECT_EQ(FormatDateRec(kMorning, 10), "09:05:03");
    EXPECT_EQ(FormatDateRec(kMorning, 11), "09:05");
    EXPECT_EQ(FormatDateRec(kMorning, 0), "9:05  8.12.2026");
    EXPECT_EQ(FormatDateRec(kMorning, 12), "9:05  8.12.2026");
    EXPECT_EQ(FormatDateRec(TDateRec{987, 3, 4, 23, 0, 0, 0}, 6), "04.03.0987");
}

TEST(FormatDateRec, ShortensTheYearByCentury)
{
    EXPECT_EQ(FormatDateRec(TDateRec{1999, 1, 2, 3, 4}, 8), "02.01.99 03:04");
    EXPECT_EQ(FormatDateRec(TDateRec{2000, 1, 2, 3, 4}, 8), "02.01.00 03:04");
    EXPECT_EQ(FormatDateRec(TDateRec{1850, 1, 2, 3, 4}, 8), "02.01.1850 03:04");
}

TEST(FormatDateRec, ShowsNoDateForTheYear1899ExceptAsATime)
{
    const TDateRec noDate{1899, 12, 30, 6, 0, 0, 0};
    for (int style = 0; style <= 12; ++style) {
        if (style == 10 || style == 11)
            continue;
        EXPECT_EQ(FormatDateRec(noDate, style), "-") << style;
    }
    EXPECT_EQ(FormatDateRec(noDate, 10), "06:00:00");
    EXPECT_EQ(FormatDateRec(noDate, 11), "06:00");
}

TEST(FormatDateRec, WritesDurationsInWords)
{
    EXPECT_EQ(FormatDateRec(DateTimeToRec(1.5), 4), "1 Tag, 12 Stunden");
    EXPECT_EQ(FormatDateRec(TDateRec{1, 2, 3, 1, 5, 6, 0}, 4), "1 Jahr, 2 Mon, 3 Tage, 1 Stunde, 5 Min, 6 Sek");
    EXPECT_EQ(FormatDateRec(TDateRec{2, 1, 0, 0, 0, 0, 0}, 4), "2 Jahre, 1 Mon");
    EXPECT_EQ(FormatDateRec(TDateRec{}, 4), "0 Sek");
    EXPECT_EQ(FormatDateRec(TDateRec{0, 0, 0, 0, 0, 0, 500}, 4), "0 Sek");
}

TEST(FormatDateRec, WritesDurationsInYearsMonthsAndDays)
{
    EXPECT_EQ(FormatDateRec(TDateRec{1, 1, 1, 5, 0, 0, 0}, 9), "1 Jahr, 1 Monate, 1 Tage");
    EXPECT_EQ(FormatDateRec(TDateRec{3, 0, 12, 0, 0, 0, 0}, 9), "3 Jahre, 12 Tage");
    EXPECT_EQ(FormatDateRec(TDateRec{0, 0, 0, 5, 6, 7, 0}, 9), "");
}

TEST(FormatDateRec, TranslatesTheUnitWords)
{
    const auto previous = SetProgramTextTranslator(English);
    const std::string text = FormatDateRec(DateTimeToRec(1.5), 4);
    const std::string zero = FormatDateRec(TDateRec{}, 4);
    SetProgramTextTranslator(previous);

    EXPECT_EQ(text, "1 day, 12 hours");
    EXPECT_EQ(zero, "0 sec");
}

TEST(NowRec, IsAPlausibleLocalTime)
{
    const TDateRec now = NowRec();
    EXPECT_GE(now.Year, 2024);
    EXPECT_GE(now.Month, 1);
    EXPECT_LE(now.Month, 12);
    EXPECT_GE(now.Day, 1);
    EXPECT_LE(now.Day, 31);
    EXPECT_LE(now.Hour, 23);
    EXPECT_LE(now.Millisecond, 999);
}
