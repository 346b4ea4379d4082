#include <gtest/gtest.h>

#include <cmath>

#include "SurveyBuilder.h"
#include "corrections/Pressure.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;

namespace {

std::string Entry(int hour, const char* pressure)
{
    return At(2024, 3, 14, hour).format("%m/%d/%Y  %H:%M:%S  ") + pressure;
}

// Readings at the given hours of 14 March 2024, in that order.
struct AtHours : SurveyBuilder {
    AtHours(std::initializer_list<int> hours)
    {
        AddCg3Header(45.0, 0.0);
        for (const int h : hours)
            AddCg3(At(2024, 3, 14, h), 1000.0);
    }
};

}  // namespace

TEST(NominalPressure, FromElevationByTheStandardAtmosphere)
{
    EXPECT_DOUBLE_EQ(NominalPressureFromElevation(0.0).value(), 1013.25);
    EXPECT_NEAR(NominalPressureFromElevation(100.0).value(), 1001.294, 0.0005);
    EXPECT_NEAR(NominalPressureFromElevation(1000.0).value(), 898.745, 0.0005);
    // Where the formula gives no pressure (or none of meaning) there is none.
    EXPECT_TRUE(NominalPressureFromElevation(-430.0).has_value());
    EXPECT_TRUE(NominalPressureFromElevation(8849.0).has_value());
    for (double h : {50000.0, 44400.0, 11000.5, -6000.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(NominalPressureFromElevation(h).has_value()) << h;
}

TEST(PressureCorrection, PointThreeMicroGalPerHectopascalInsideTheWindow)
{
    EXPECT_NEAR(PressureCorrection(1025.75, 1013.25), 0.00375, 1e-12);
    EXPECT_NEAR(PressureCorrection(1213.25, 1013.25), 0.06, 1e-12);  // upper end included
    EXPECT_EQ(PressureCorrection(1213.26, 1013.25), 0.0);
    EXPECT_NEAR(PressureCorrection(813.25, 1013.25), -0.06, 1e-12);  // lower end included
    EXPECT_EQ(PressureCorrection(813.24, 1013.25), 0.0);
    EXPECT_EQ(PressureCorrection(std::nan(""), 1013.25), 0.0);
    // A nominal pressure left at 0 puts real pressures outside the window.
    EXPECT_EQ(PressureCorrection(1013.0, 0.0), 0.0);
}

TEST(PressureEntry, ReadsTheStandardForm)
{
    const auto e = ParsePressureEntry("03/14/2024  09:30:00  1013.25");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->m_dtTime, At(2024, 3, 14, 9, 30, 0));
    EXPECT_DOUBLE_EQ(e->m_dPressure, 1013.25);
    EXPECT_DOUBLE_EQ(e->m_dWalkPressure, 1013.25);
}

TEST(PressureEntry, ReadsLooseFormsByTheirSeparators)
{
    const auto e = ParsePressureEntry("  3/5/2024 7:04:09 998.5");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->m_dtTime, At(2024, 3, 5, 7, 4, 9));
    EXPECT_DOUBLE_EQ(e->m_dPressure, 998.5);
    // No double blank: the walk takes the same pressure.
    EXPECT_DOUBLE_EQ(e->m_dWalkPressure, 998.5);
}

TEST(PressureEntry, APressureThatIsNotOneNumberIsNoEntry)
{
    for (const char* pressure : {"", "0x10", "1013hPa", "1e999", "nan", "inf", "10 13"})
        EXPECT_FALSE(ParsePressureEntry(std::string("03/14/2024  09:30:00  ") + pressure)) << pressure;
    AtHours s{9};
    const auto result = AssignPressures(s.doc, {Entry(8, "0x10"), Entry(9, "1001.5")});
    EXPECT_EQ(result.Value(), 1);
    ASSERT_EQ(result.Texts(Severity::warning).size(), 1u);
    EXPECT_NE(result.Messages()[0].text.find("0x10\" has no pressure that is a number"), std::string::npos)
        << result.Messages()[0].text;
    EXPECT_EQ(s.doc.m_Readings[0]->m_dPressure, 1001.5);
}

TEST(PressureEntry, ImpossibleDatesAndTimesHaveNoEntry)
{
    EXPECT_FALSE(ParsePressureEntry("13/14/2024  09:30:00  1013.25"));
    EXPECT_FALSE(ParsePressureEntry("02/30/2024  09:30:00  1013.25"));
    EXPECT_FALSE(ParsePressureEntry("03/14/2024  25:30:00  1013.25"));
    EXPECT_FALSE(ParsePressureEntry("03/14/2024  09:61:00  1013.25"));
    EXPECT_FALSE(ParsePressureEntry("1013.25"));
    EXPECT_FALSE(ParsePressureEntry(""));
}

TEST(PressureEntry, DefaultEntryIsTheTimeAndStandardPressure)
{
    EXPECT_EQ(DefaultPressureEntry(At(2024, 3, 14, 9, 30)), "03/14/2024  09:30:00  1013.25");
}

TEST(PressureEntry, SortedByTimeNotByText)
{
    const std::vector<std::string> sorted = SortPressureEntries(
        {"01/02/2025  08:00:00  1000", "garbage", "12/31/2024  23:00:00  1001", "03/14/2024  09:30:00  1002"});
    EXPECT_EQ(sorted, (std::vector<std::string>{"03/14/2024  09:30:00  1002", "12/31/2024  23:00:00  1001",
                                                "01/02/2025  08:00:00  1000", "garbage"}));
}

TEST(AssignPressures, DefaultListGivesEveryReadingStandardPressure)
{
    AtHours s{8, 9, 10};
    const auto result = AssignPressures(s.doc, {DefaultPressureEntry(s.doc.m_Readings.front()->m_dtTime),
                                                DefaultPressureEntry(s.doc.m_Readings.back()->m_dtTime)});
    EXPECT_EQ(result.Value(), 2);
    for (const auto& r : s.doc.m_Readings)
        EXPECT_DOUBLE_EQ(r->m_dPressure, 1013.25);
}

TEST(AssignPressures, OneEntryGivesEveryReadingItsPressureWhateverItsTime)
{
    AtHours s{8, 12, 20};
    AssignPressures(s.doc, {"01/01/2000  00:00:00  1002.5"});
    for (const auto& r : s.doc.m_Readings)
        EXPECT_DOUBLE_EQ(r->m_dPressure, 1002.5);
}

TEST(AssignPressures, TwoEntriesInterpolateAndExtrapolate)
{
    AtHours s{9, 11};
    AssignPressures(s.doc, {Entry(8, "1000"), Entry(10, "1010")});
    EXPECT_NEAR(s.doc.m_Readings[0]->m_dPressure, 1005.0, 1e-6);
    EXPECT_NEAR(s.doc.m_Readings[1]->m_dPressure, 1015.0, 1e-6);
}

TEST(AssignPressures, ThreeEntriesAreWalkedAndHeldOutside)
{
    AtHours s{7, 9, 11, 13};
    AssignPressures(s.doc, {Entry(8, "1000"), Entry(10, "1010"), Entry(12, "1000")});
    EXPECT_NEAR(s.doc.m_Readings[0]->m_dPressure, 1000.0, 1e-6);  // before the first entry
    EXPECT_NEAR(s.doc.m_Readings[1]->m_dPressure, 1005.0, 1e-6);
    EXPECT_NEAR(s.doc.m_Readings[2]->m_dPressure, 1005.0, 1e-6);
    EXPECT_NEAR(s.doc.m_Readings[3]->m_dPressure, 1000.0, 1e-6);  // after the last entry
}

TEST(AssignPressures, EntriesOutOfTextOrderAreWalkedInTimeOrder)
{
    AtHours s{9, 11};
    AssignPressures(s.doc, {Entry(12, "1000"), Entry(8, "1000"), Entry(10, "1010")});
    EXPECT_NEAR(s.doc.m_Readings[0]->m_dPressure, 1005.0, 1e-6);
    EXPECT_NEAR(s.doc.m_Readings[1]->m_dPressure, 1005.0, 1e-6);
}

TEST(AssignPressures, EntriesAtOneTimeKeepTheFirstAndSaySo)
{
    AtHours s{9, 11};
    const auto result = AssignPressures(s.doc, {Entry(8, "1000"), Entry(10, "1010"), Entry(8, "990"), Entry(8, "980")});
    EXPECT_EQ(result.Value(), 2);
    ASSERT_EQ(result.Texts(Severity::warning).size(), 2u);
    EXPECT_NE(result.Messages()[0].text.find("990\" has the same time as \"" + Entry(8, "1000")), std::string::npos)
        << result.Messages()[0].text;
    EXPECT_NEAR(s.doc.m_Readings[0]->m_dPressure, 1005.0, 1e-6);  // a number, and the line of the kept entries
    EXPECT_NEAR(s.doc.m_Readings[1]->m_dPressure, 1015.0, 1e-6);
}

TEST(AssignPressures, ImpossibleEntryIsSkippedWithAMessage)
{
    AtHours s{9, 11};
    const auto result = AssignPressures(s.doc, {Entry(8, "1000"), "13/14/2024  09:00:00  5000", Entry(10, "1010")});
    EXPECT_EQ(result.Value(), 2);
    ASSERT_EQ(result.Texts(Severity::warning).size(), 1u);
    EXPECT_NE(result.Messages()[0].text.find("13/14/2024"), std::string::npos);
    EXPECT_NEAR(s.doc.m_Readings[0]->m_dPressure, 1005.0, 1e-6);
}

TEST(AssignPressures, EmptyListChangesNothing)
{
    AtHours s{9};
    s.doc.m_Readings[0]->m_dPressure = 1001.0;
    const auto result = AssignPressures(s.doc, {});
    EXPECT_EQ(result.Value(), 0);
    EXPECT_EQ(s.doc.m_Readings[0]->m_dPressure, 1001.0);
}

TEST(AssignPressures, ReadingsHaveNoPressureBeforeTheFirstApply)
{
    AtHours s{9};
    EXPECT_TRUE(std::isnan(s.doc.m_Readings[0]->m_dPressure));
    EXPECT_EQ(PressureCorrection(s.doc.m_Readings[0]->m_dPressure, 0.0), 0.0);
}
