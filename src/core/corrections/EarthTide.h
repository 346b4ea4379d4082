#pragma once

// Earth tide: the change of gravity at a station caused by the Moon and the
// Sun, for an elastic Earth without oceans.
//
// Model. A body tide of ETERNA class (Hartmann-Wenzel 1995 potential,
// Wahr-Dehant-Zschau elastic-Earth factors per wave) computed in two steps:
//  1. Direct: the Moon (Meeus ch. 47, complete tables) and the Sun (Meeus
//     ch. 25) of date, TT from UTC through the leap seconds, Greenwich mean
//     sidereal time with UT1 = UTC, the station on the GRS80 ellipsoid. The
//     tidal acceleration of the Moon (degrees 2, 3, 4) and the Sun (degree
//     2) is projected on the ellipsoidal normal, each degree-2 order with
//     its latitude-dependent WDZ factor (the diurnal one at wave O1).
//  2. Resonance: the ten diurnal waves whose WDZ factor departs from the O1
//     value through the free-core-nutation resonance (TideWaves.h).
// Not included: ocean loading, the pole tide (polar motion is corrected on
// its own), planets, degrees 5 and higher (together < 0.01 microGal).
//
// Units and signs. Times are day numbers in UTC: days since 1899-12-30
// 00:00, the fraction being the time of day. Latitude is geodetic (GRS80)
// in degrees, north positive. Results are in microGal (1e-8 m/s^2). The
// SIGNAL is the tidal change of gravity, positive when the tide increases
// gravity (strongly negative with the Moon near the zenith or the nadir).
// The CORRECTION is minus the signal: the value to ADD to an observed
// reading to remove the tide.
//
// The signal contains the permanent (zero-frequency) tide times the WDZ
// factor, a constant of +17.64 microGal at 45 N, like ETERNA; it cancels in
// relative gravity.
//
// Accuracy, against ETERNA 3.4 (HW95 catalogue, WDZ factors, no ocean
// loading), hourly through January 2005 at 45 N 0 E and 40.03 N 105.05 W,
// after removing the mean difference: 0.008 microGal RMS, 0.027 at most
// (0.007 / 0.022 for the uniform-factor check model). Its limits are the
// Meeus lunar series, the omitted nutation and UT1 = UTC. The Longman
// formula of field meters is about 1.4 microGal RMS from ETERNA. Before 1972
// TT comes from a Delta T polynomial (a few seconds, < 0.01 microGal).
//
// Speed: about half a microsecond per epoch on one core once the station is
// set (EarthTideModel, or GravTide called with an unchanged station).

#include <cstdint>

#include "corrections/GravimetricFactors.h"
#include "corrections/TideStation.h"

namespace bramble {

struct TideOptions {
    // Multiplies the whole elastic-Earth tide; 1.0 is the WDZ model as is.
    // A local factor observed at a tidal station, divided by the model's,
    // goes here.
    double amplitudeFactor = 1.0;
    // Uniform factors (1.16 for degree 2, 1.07 for degree 3), no degree 4 and
    // no resonance correction: the simple model that isolates the ephemeris,
    // the time scales and the geometry when checking against ETERNA.
    bool nominalFactors = false;
};

// The signal split into the two steps of the model, microGal.
struct TideSignal {
    double direct = 0.0;
    double resonance = 0.0;
    double total() const { return direct + resonance; }
};

// The tide at one station. Everything that depends on the station alone is
// computed once here, so that a long series costs only the ephemeris.
class EarthTideModel {
public:
    explicit EarthTideModel(const TideStation& station, const TideOptions& options = {});

    TideSignal Components(double dayNumberUtc) const;
    double SignalMicroGal(double dayNumberUtc) const { return Components(dayNumberUtc).total(); }
    double CorrectionMicroGal(double dayNumberUtc) const { return -SignalMicroGal(dayNumberUtc); }

    const tide::GravimetricFactors& factors() const { return m_factors; }

private:
    TideStation m_station;
    TideOptions m_options;
    tide::StationGeometry m_geometry;
    tide::GravimetricFactors m_factors;
    // Degree-2 gravity per unit (GM r / D^3) of each order, factor included.
    double m_g20 = 0, m_g21 = 0, m_g22 = 0;
    double m_f21 = 0;
};

// Tidal gravity signal and correction at one epoch, microGal. For many
// epochs at one station, EarthTideModel avoids redoing the station's part.
double TidalGravitySignalMicroGal(double dayNumberUtc, const TideStation& station, const TideOptions& options = {});
double TideCorrectionMicroGal(double dayNumberUtc, const TideStation& station, const TideOptions& options = {});

// The five-argument tide function of the corrections dialog's "Berger"
// option. Returns the CORRECTION in microGal (minus the signal), which the
// caller multiplies by 0.001 and adds to the reading in mGal.
//   hoursSince1900    UTC hours since 1900-01-01 00:00: the caller passes
//                     (day number - 2.0) * 24.0
//   latitudeDeg       geodetic latitude, degrees, north positive
//   longitudeWestDeg  longitude in degrees, WEST positive (the caller
//                     passes the east-positive header longitude negated)
//   heightM           station height above the GRS80 ellipsoid, metres;
//                     the tide grows with the distance from the Earth's
//                     centre, 100 m changing it by at most 0.004 microGal,
//                     so 0 (what the corrections pass) is fine near sea level
//   amplitudeFactor   TideOptions::amplitudeFactor: 1.0 = nominal elastic
//                     Earth
// The station's part is kept between calls with the same station.
double GravTide(double hoursSince1900, double latitudeDeg, double longitudeWestDeg, std::int32_t heightM,
                double amplitudeFactor);

}  // namespace bramble
