#include "corrections/EarthTide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "corrections/Ephemeris.h"
#include "corrections/GravimetricFactors.h"
#include "corrections/Phasor.h"
#include "corrections/TideTime.h"
#include "corrections/TideWaves.h"
#include "survey/DateTime.h"

using namespace bramble;

namespace {

constexpr double kDeg = 180.0 / std::numbers::pi;

double CenturiesTt(double dayNumberUtc)
{
    return (dayNumberUtc + tide::TtMinusUtcSeconds(dayNumberUtc) / 86400.0 - tide::kJ2000DayNumber) /
           tide::kDaysPerCentury;
}

tide::EquatorialVector Equatorial(const tide::EclipticPosition& p, double t)
{
    return tide::ToEquatorial(p, tide::FromDeg(tide::MeanObliquityDeg(t)));
}

double RightAscensionDeg(const tide::EquatorialVector& v)
{
    const double a = std::atan2(v.y, v.x) * kDeg;
    return a < 0.0 ? a + 360.0 : a;
}

double DeclinationDeg(const tide::EquatorialVector& v) { return std::asin(v.z / v.distanceM) * kDeg; }

// One hourly series of tidal gravity computed by ETERNA 3.4 (microGal,
// signal: positive when the tide increases gravity).
struct ReferenceSeries {
    TideStation station;
    std::vector<double> dayNumbers;
    std::vector<double> signal;
};

ReferenceSeries ReadReference(const std::string& file, std::size_t valueColumn)
{
    std::ifstream in(std::string(BRAMBLE_TEST_DATA) + "/tide/" + file);
    EXPECT_TRUE(in) << file;
    ReferenceSeries series;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            fields.push_back(cell);
        if (fields.size() <= valueColumn)
            continue;
        series.station = {std::stod(fields[2]), std::stod(fields[3]), 0.0};
        series.dayNumbers.push_back(std::stod(fields[1]));
        series.signal.push_back(std::stod(fields[valueColumn]));
    }
    return series;
}

struct Misfit {
    double rms = 0, max = 0;
};

// Model minus reference with the mean difference removed: a constant offset
// cancels in relative gravity.
Misfit DemeanedMisfit(const std::vector<double>& model, const std::vector<double>& reference)
{
    std::vector<double> diff(model.size());
    double mean = 0;
    for (std::size_t i = 0; i < model.size(); ++i) {
        diff[i] = model[i] - reference[i];
        mean += diff[i];
    }
    mean /= static_cast<double>(diff.size());
    Misfit m;
    for (const double d : diff) {
        m.rms += (d - mean) * (d - mean);
        m.max = std::max(m.max, std::abs(d - mean));
    }
    m.rms = std::sqrt(m.rms / static_cast<double>(diff.size()));
    return m;
}

struct AccuracyCase {
    const char* file;
    bool nominalFactors;
    double rmsBar, maxBar;
};

void PrintTo(const AccuracyCase& c, std::ostream* os) { *os << c.file; }

class TideAgainstEterna : public testing::TestWithParam<AccuracyCase> { };

}  // namespace

// January 2005, hourly, at 45 N 0 E and 40.03 N 105.05 W. The uniform-factor
// series isolates the ephemeris, time scales, sidereal time, ellipsoid and
// vertical; the full series adds the WDZ factors and the resonance waves.
TEST_P(TideAgainstEterna, DemeanedDifferenceWithinTheBars)
{
    const AccuracyCase& c = GetParam();
    const ReferenceSeries ref = ReadReference(c.file, 4);
    ASSERT_EQ(ref.signal.size(), 744u);
    const EarthTideModel model(ref.station, TideOptions{1.0, c.nominalFactors});
    std::vector<double> computed;
    for (const double day : ref.dayNumbers)
        computed.push_back(model.SignalMicroGal(day));
    const Misfit m = DemeanedMisfit(computed, ref.signal);
    EXPECT_LE(m.rms, c.rmsBar) << "max " << m.max;
    EXPECT_LE(m.max, c.maxBar) << "rms " << m.rms;
}

INSTANTIATE_TEST_SUITE_P(January2005, TideAgainstEterna,
                         testing::Values(AccuracyCase{"tide_uniform_N45.0_E0.0_2005-01.csv", true, 0.02, 0.06},
                                         AccuracyCase{"tide_uniform_N40.02885_W105.04603_2005-01.csv", true, 0.02,
                                                      0.06},
                                         AccuracyCase{"tide_ref_N45.0_E0.0_2005-01.csv", false, 0.05, 0.15},
                                         AccuracyCase{"tide_ref_N40.02885_W105.04603_2005-01.csv", false, 0.05, 0.15}));

TEST(TideEphemeris, TableSineAndCosineMatchTheLibrary)
{
    // Angles as large as the Moon's arguments a century from J2000, and
    // around every 5 deg table point.
    double worst = 0;
    for (double deg = -480000.0; deg < 480000.0; deg += 97.3) {
        for (const double offset : {0.0, 2.4999, -2.4999, 1e-7}) {
            const double a = deg + offset;
            const tide::Phasor p = tide::FromDeg(a);
            const double r = std::fmod(a, 360.0) / kDeg;
            worst = std::max({worst, std::abs(p.c - std::cos(r)), std::abs(p.s - std::sin(r))});
        }
    }
    EXPECT_LT(worst, 2e-15);
    EXPECT_EQ(tide::FromDeg(0.0).c, 1.0);
    EXPECT_EQ(tide::FromDeg(0.0).s, 0.0);
    EXPECT_NEAR(tide::FromDeg(-90.0).s, -1.0, 1e-16);
}

TEST(TideEphemeris, MeeusWorkedExampleOfTheMoon)
{
    // Meeus example 47.a: 1992 April 12, 0h TD.
    const tide::EclipticPosition moon = tide::MoonEcliptic((2448724.5 - 2451545.0) / 36525.0);
    EXPECT_NEAR(std::remainder(moon.longitudeDeg - 133.162655, 360.0), 0.0, 2e-6);
    EXPECT_NEAR(moon.latitudeDeg, -3.229126, 2e-6);
    EXPECT_NEAR(moon.distanceM / 1000.0, 368409.7, 0.1);
}

TEST(TideEphemeris, MoonSunAndSiderealTimeAtTheFirstReferenceEpoch)
{
    const double day = DateTime::fromParts(2005, 1, 1).value();
    EXPECT_DOUBLE_EQ(tide::TtMinusUtcSeconds(day), 64.184);
    EXPECT_NEAR(std::remainder(tide::GmstDeg(day) - 100.745534, 360.0), 0.0, 1e-6);
    const double t = CenturiesTt(day);
    const tide::EquatorialVector moon = Equatorial(tide::MoonEcliptic(t), t);
    // The reference values omit a 0.7" light-time term that Meeus includes.
    EXPECT_NEAR(RightAscensionDeg(moon), 162.34912, 3e-4);
    EXPECT_NEAR(DeclinationDeg(moon), 11.64100, 2e-4);
    EXPECT_NEAR(moon.distanceM / 1000.0, 399619.3, 0.2);
    const tide::EquatorialVector sun = Equatorial(tide::SunEcliptic(t), t);
    EXPECT_NEAR(RightAscensionDeg(sun), 281.60960, 2e-5);
    EXPECT_NEAR(DeclinationDeg(sun), -23.00948, 2e-5);
    EXPECT_NEAR(std::fmod(tide::MeanElementsAt(t).s, 360.0), 165.01459, 1e-5);
}

TEST(TideEphemeris, TerrestrialTimeFollowsTheLeapSeconds)
{
    EXPECT_DOUBLE_EQ(tide::TtMinusUtcSeconds(DateTime::fromParts(2016, 12, 31, 23, 59, 59).value()), 68.184);
    EXPECT_DOUBLE_EQ(tide::TtMinusUtcSeconds(DateTime::fromParts(2017, 1, 1).value()), 69.184);
    EXPECT_DOUBLE_EQ(tide::TtMinusUtcSeconds(DateTime::fromParts(1972, 1, 1).value()), 42.184);
    // Before leap seconds, Delta T: about 33 s in 1960, about 24 s in 1930.
    EXPECT_NEAR(tide::TtMinusUtcSeconds(DateTime::fromParts(1960, 1, 1).value()), 33.2, 0.5);
    EXPECT_NEAR(tide::TtMinusUtcSeconds(DateTime::fromParts(1930, 1, 1).value()), 24.0, 0.5);
}

namespace {

struct FactorCheck {
    double latitudeDeg, delta20, delta21, delta22, f21, f20;
};

}  // namespace

TEST(TideFactors, WdzFactorsAndStationFunctionsAtFourLatitudes)
{
    const FactorCheck checks[] = {
        {45.0, 1.171036, 1.153675, 1.157855, 3.866497, 1.104916},
        {40.02885, 1.186416, 1.154340, 1.158378, 3.807326, 0.527273},
        {-33.9, 1.093622, 1.155129, 1.158998, -3.577606, -0.158761},  // near the 35.26 deg clamp
        {64.1, 1.160399, 1.151279, 1.155973, 3.041673, 3.176629},
    };
    for (const FactorCheck& c : checks) {
        SCOPED_TRACE(c.latitudeDeg);
        const tide::StationGeometry g = tide::GeometryOnGrs80(c.latitudeDeg, 0.0);
        const tide::GravimetricFactors f = tide::WdzFactors(g);
        EXPECT_NEAR(f.delta20, c.delta20, 2e-6);
        EXPECT_NEAR(f.delta21, c.delta21, 2e-6);
        EXPECT_NEAR(f.delta22, c.delta22, 2e-6);
        EXPECT_NEAR(tide::StationFunction21(g), c.f21, 2e-6);
        EXPECT_NEAR(tide::StationFunction20(g), c.f20, 2e-6);
    }
}

TEST(TideFactors, ResonanceShiftsOfTheDiurnalWaves)
{
    EXPECT_DOUBLE_EQ(tide::ResonanceFactorShift(13.943036), 0.0);  // O1
    EXPECT_NEAR(tide::ResonanceFactorShift(tide::kResonanceWaves[0].frequencyDegPerHour), -0.0210123, 1e-7);
    EXPECT_NEAR(tide::ResonanceFactorShift(tide::kResonanceWaves[2].frequencyDegPerHour), -0.0055309, 1e-7);
    EXPECT_NEAR(tide::ResonanceFactorShift(tide::kResonanceWaves[3].frequencyDegPerHour), 0.0846907, 1e-7);
    EXPECT_NEAR(tide::ResonanceFactorShift(tide::kResonanceWaves[5].frequencyDegPerHour), 0.0149081, 1e-7);
}

namespace {

struct EpochCheck {
    int year, month, day, hour;
    double latitudeDeg, longitudeEastDeg;
    double direct, resonance;
};

}  // namespace

TEST(TideSteps, DirectAndResonancePartsAtThreeEpochs)
{
    const EpochCheck checks[] = {
        {2005, 1, 1, 0, 45.0, 0.0, -28.4210, 1.0797},
        {2024, 7, 1, 12, 64.1, -21.9, -23.8459, 0.8626},
        {2024, 7, 5, 4, -33.9, 18.4, 61.6658, 0.0211},
    };
    for (const EpochCheck& c : checks) {
        SCOPED_TRACE(c.year * 10000 + c.month * 100 + c.day);
        const EarthTideModel model({c.latitudeDeg, c.longitudeEastDeg, 0.0});
        const TideSignal s = model.Components(DateTime::fromParts(c.year, c.month, c.day, c.hour).value());
        EXPECT_NEAR(s.direct, c.direct, 0.002);
        EXPECT_NEAR(s.resonance, c.resonance, 2e-4);
    }
}

TEST(GravTide, HoursSince1900AreDayNumberMinusTwoTimes24)
{
    // Day number 2.25 (1900-01-01 06:00) is passed as 6.0 hours.
    const EarthTideModel model({45.0, 0.0, 0.0});
    EXPECT_DOUBLE_EQ(GravTide(6.0, 45.0, 0.0, 0, 1.0), model.CorrectionMicroGal(2.25));
    const double day = DateTime::fromParts(2005, 1, 1, 6, 0, 0).value();
    EXPECT_DOUBLE_EQ(GravTide((day - 2.0) * 24.0, 45.0, 0.0, 0, 1.0), model.CorrectionMicroGal(day));
}

TEST(GravTide, WestLongitudePassedPositiveGivesTheWestStationsCorrection)
{
    // ETERNA's signal at 40.03 N 105.05 W; the correction is its negative.
    const ReferenceSeries ref = ReadReference("tide_ref_N40.02885_W105.04603_2005-01.csv", 4);
    ASSERT_FALSE(ref.dayNumbers.empty());
    const double westPositive = -ref.station.longitudeEastDeg;
    ASSERT_GT(westPositive, 100.0);
    double worst = 0;
    for (std::size_t i = 0; i < ref.dayNumbers.size(); i += 5) {
        const double hours = (ref.dayNumbers[i] - 2.0) * 24.0;
        worst =
            std::max(worst, std::abs(GravTide(hours, ref.station.latitudeDeg, westPositive, 0, 1.0) + ref.signal[i]));
    }
    EXPECT_LT(worst, 0.05);
}

TEST(GravTide, HeightAndAmplitudeFactor)
{
    // Below the Moon at its January 2005 perigee: 26.96 S 29.93 E, passed west positive.
    const double hours = (DateTime::fromParts(2005, 1, 10, 10, 6).value() - 2.0) * 24.0;
    const double atSea = GravTide(hours, -26.96, -29.93, 0, 1.0);
    // Twice the elastic-Earth amplitude gives twice the correction.
    EXPECT_NEAR(GravTide(hours, -26.96, -29.93, 0, 2.0), 2.0 * atSea, 1e-9);
    // The tide grows with the distance from the Earth's centre, r^(n-1) per degree.
    const double high = GravTide(hours, -26.96, -29.93, 3000, 1.0);
    EXPECT_GT(high, atSea);
    EXPECT_NEAR(high / atSea - 1.0, 3000.0 / 6375000.0, 5e-5);
}

// The strongest lunar tide of a month: the Moon at its January 2005 perigee,
// at new moon, seen in the zenith. At the point below it the signal is the
// most negative of the whole month, within minutes of that epoch.
TEST(TidePhysics, MoonInTheZenithAtPerigeeIsTheMonthsStrongestNegativeSignal)
{
    const double monthStart = DateTime::fromParts(2005, 1, 1).value();
    const double step = 1.0 / 1440.0;
    double perigee = monthStart, nearest = 1e300;
    for (double day = monthStart; day < monthStart + 31.0; day += step) {
        const double t = CenturiesTt(day);
        const double distance = tide::MoonEcliptic(t).distanceM;
        if (distance < nearest) {
            nearest = distance;
            perigee = day;
        }
    }
    const double t = CenturiesTt(perigee);
    const tide::EquatorialVector moon = Equatorial(tide::MoonEcliptic(t), t);
    const TideStation below{DeclinationDeg(moon),
                            std::remainder(RightAscensionDeg(moon) - tide::GmstDeg(perigee), 360.0), 0.0};
    const EarthTideModel model(below);

    double lowest = 1e300, when = 0;
    for (double day = monthStart; day < monthStart + 31.0; day += 5.0 * step) {
        const double g = model.SignalMicroGal(day);
        if (g < lowest) {
            lowest = g;
            when = day;
        }
    }
    EXPECT_NEAR(when, perigee, 0.25 / 24.0);
    EXPECT_LT(model.SignalMicroGal(perigee), -200.0);
    EXPECT_NEAR(model.SignalMicroGal(perigee), lowest, 0.5);
    // A quarter of a day later the Moon is near the horizon: the tide lifts gravity.
    EXPECT_GT(model.SignalMicroGal(perigee + 0.25), 0.0);
}
