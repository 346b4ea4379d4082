#include <gtest/gtest.h>

#include "survey/DateTime.h"

using bramble::ContinuousDays;
using bramble::DateTime;
using bramble::FromContinuousDays;

TEST(DateTime, DayZeroAndKnownDates)
{
    EXPECT_EQ(DateTime::fromParts(1899, 12, 30).value(), 0.0);
    EXPECT_EQ(DateTime::fromParts(2005, 1, 1).value(), 38353.0);
    EXPECT_EQ(DateTime::fromParts(1900, 1, 1).value(), 2.0);
    EXPECT_DOUBLE_EQ(DateTime::fromParts(2005, 1, 1, 6, 0, 0).value(), 38353.25);
    EXPECT_EQ(DateTime(38353.5).format("%m/%d/%Y  %H:%M:%S  "), "01/01/2005  12:00:00  ");
}

TEST(DateTime, InvalidCombinationsAreInvalidNotFatal)
{
    EXPECT_FALSE(DateTime::fromParts(2005, 2, 29).isValid());
    EXPECT_TRUE(DateTime::fromParts(2004, 2, 29).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 13, 1).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 0, 1).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 1, 0).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 1, 1, 24, 0, 0).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 1, 1, 0, 60, 0).isValid());
    EXPECT_FALSE(DateTime::fromParts(2005, 1, 1, 0, 0, 60).isValid());
    EXPECT_FALSE(DateTime::fromParts(-5, 1, 1).isValid());
    EXPECT_FALSE(DateTime(1e300).isValid());
    EXPECT_EQ(DateTime::invalid().format("%Y"), "Invalid DateTime");
    EXPECT_EQ(DateTime::invalid().year(), -1);
}

TEST(DateTime, RoundsToTheNearestSecondWhenRead)
{
    // Every second of a day survives the trip through a day number.
    for (int s = 0; s < 86400; s += 7) {
        const DateTime dt = DateTime::fromParts(2019, 3, 12, s / 3600, s / 60 % 60, s % 60);
        ASSERT_EQ(dt.secondsOfDay(), s);
    }
    // A value a hair below 10:00:00 reads as 10:00:00, never 09:59:59.
    const double ten = DateTime::fromParts(2019, 3, 12, 10, 0, 0).value();
    EXPECT_EQ(DateTime(ten - 1e-9).format("%H:%M:%S"), "10:00:00");
    EXPECT_EQ(DateTime(ten + 0.4 / 86400).format("%H:%M:%S"), "10:00:00");
    EXPECT_EQ(DateTime(ten + 0.6 / 86400).format("%H:%M:%S"), "10:00:01");
    // Rounding up to midnight moves to the next day.
    EXPECT_EQ(DateTime(38353.0 - 1e-9).format("%m/%d/%Y %H:%M:%S"), "01/01/2005 00:00:00");
}

TEST(DateTime, BeforeDayZeroTheFractionCountsForwardFromMidnight)
{
    const DateTime dt = DateTime::fromParts(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(dt.value(), -1.25);
    EXPECT_EQ(dt.format("%Y-%m-%d %H:%M:%S"), "1899-12-29 06:00:00");
    EXPECT_EQ(DateTime(-0.5).format("%Y-%m-%d %H:%M:%S"), "1899-12-30 12:00:00");
    EXPECT_EQ(DateTime(-365.0).format("%Y-%m-%d"), "1898-12-30");
    EXPECT_EQ(DateTime::fromParts(1800, 2, 28, 23, 59, 59).format("%Y-%m-%d %H:%M:%S"), "1800-02-28 23:59:59");
}

TEST(DateTime, FormatsEveryPatternTheProgramUses)
{
    const DateTime dt = DateTime::fromParts(2007, 3, 4, 15, 6, 7);
    EXPECT_EQ(dt.format("%m/%d/%Y"), "03/04/2007");
    EXPECT_EQ(dt.format("%H:%M:%S"), "15:06:07");
    EXPECT_EQ(dt.format("%m/%d/%Y  %H:%M:%S  "), "03/04/2007  15:06:07  ");
    EXPECT_EQ(dt.format("%y%m%d"), "070304");
    EXPECT_EQ(dt.format("%Y %m %d"), "2007 03 04");
    EXPECT_EQ(dt.format("%I %p %j %a %B %%"), "03 PM 063 Sun March %");
    EXPECT_EQ(dt.dayOfWeek(), 1);
}

TEST(DateTime, ContinuousDaysRunStraightThroughDayZero)
{
    // 29 December 1899 06:00 is stored as -1.25 and lies 0.75 days before day 0.
    const DateTime early = DateTime::fromParts(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(ContinuousDays(early), -0.75);
    double previous = -10.0;
    for (int step = 0; step <= 24; ++step) {  // 1899-12-29 00:00 to 1899-12-31 00:00 in 2 h steps
        const double t = -1.0 + step / 12.0;
        const DateTime stamp = FromContinuousDays(t);
        ASSERT_TRUE(stamp.isValid());
        EXPECT_NEAR(ContinuousDays(stamp), t, 1e-9);
        EXPECT_GT(ContinuousDays(stamp), previous);
        previous = ContinuousDays(stamp);
        EXPECT_EQ(stamp.hour(), (step * 2) % 24) << t;
    }
    EXPECT_EQ(FromContinuousDays(-0.75).format("%Y-%m-%d %H:%M:%S"), "1899-12-29 06:00:00");
    EXPECT_EQ(ContinuousDays(DateTime(43536.5)), 43536.5);
}
