#include "corrections/EarthTide.h"

#include <optional>

#include "corrections/Ephemeris.h"
#include "corrections/Phasor.h"
#include "corrections/TideTime.h"
#include "corrections/TideWaves.h"

namespace bramble {
namespace {

constexpr double kGmMoon = 4.9028000e12;  // m^3/s^2
constexpr double kGmSun = 1.32712440e20;  // m^3/s^2
constexpr double kMicroGalPerMps2 = 1e8;

// Direction of a body seen from the Earth's centre against the station's
// meridian: sin of the declination d, cos d cos H and cos d sin H, with H
// the local hour angle. Taken from the rectangular coordinates so that no
// right ascension or declination needs to be formed.
struct LocalDirection {
    double sinDec, cosDecCosH, cosDecSinH;
};

LocalDirection Direction(const tide::EquatorialVector& v, tide::Phasor localSidereal)
{
    const double inv = 1.0 / v.distanceM;
    return {v.z * inv, (v.x * localSidereal.c + v.y * localSidereal.s) * inv,
            (v.x * localSidereal.s - v.y * localSidereal.c) * inv};
}

}  // namespace

EarthTideModel::EarthTideModel(const TideStation& station, const TideOptions& options)
    : m_station(station), m_options(options), m_geometry(tide::GeometryOnGrs80(station.latitudeDeg, station.heightM)),
      m_factors(options.nominalFactors ? tide::NominalFactors() : tide::WdzFactors(m_geometry)),
      m_f21(tide::StationFunction21(m_geometry))
{
    // Upward acceleration of the degree-2 potential of each order m:
    // cos(psi) dV/dr + sin(psi) (1/r) dV/dphi', with dV/dr = 2 V / r.
    const double s = m_geometry.sinGc, c = m_geometry.cosGc;
    const double cp = m_geometry.cosPsi, sp = m_geometry.sinPsi;
    m_g20 = m_factors.delta20 * (cp * (3.0 * s * s - 1.0) / 2.0 + 1.5 * sp * s * c);
    m_g21 = m_factors.delta21 * 3.0 * (2.0 * cp * s * c + sp * (c * c - s * s));
    m_g22 = m_factors.delta22 * 1.5 * (cp * c * c - sp * s * c);
}

TideSignal EarthTideModel::Components(double dayNumberUtc) const
{
    const double dayNumberTt = dayNumberUtc + tide::TtMinusUtcSeconds(dayNumberUtc) / 86400.0;
    const double t = (dayNumberTt - tide::kJ2000DayNumber) / tide::kDaysPerCentury;
    const tide::Phasor localSidereal = tide::FromDeg(tide::GmstDeg(dayNumberUtc) + m_station.longitudeEastDeg);
    const tide::Phasor obliquity = tide::FromDeg(tide::MeanObliquityDeg(t));
    const tide::EquatorialVector moon = tide::ToEquatorial(tide::MoonEcliptic(t), obliquity);
    const tide::EquatorialVector sun = tide::ToEquatorial(tide::SunEcliptic(t), obliquity);

    const double r = m_geometry.radiusM;
    auto degree2 = [&](const LocalDirection& dir, double gm, double distance) {
        const double sd = dir.sinDec, ch = dir.cosDecCosH, sh = dir.cosDecSinH;
        return gm * r / (distance * distance * distance) *
               (m_g20 * (3.0 * sd * sd - 1.0) + m_g21 * sd * ch + m_g22 * (ch * ch - sh * sh));
    };

    const LocalDirection moonDir = Direction(moon, localSidereal);
    const LocalDirection sunDir = Direction(sun, localSidereal);
    double up = degree2(moonDir, kGmMoon, moon.distanceM) + degree2(sunDir, kGmSun, sun.distanceM);

    // Moon degrees 3 and 4 in the zenith angle z: u = cos z, the radial part
    // n Pn(u) and the tilt of the normal against the radius, via Rn.
    const double u = m_geometry.sinGc * moonDir.sinDec + m_geometry.cosGc * moonDir.cosDecCosH;
    const double rn = m_geometry.sinLat * moonDir.sinDec + m_geometry.cosLat * moonDir.cosDecCosH;
    const double cp = m_geometry.cosPsi;
    const double u2 = u * u;
    const double rOverD = r / moon.distanceM;
    const double scale3 = kGmMoon / (moon.distanceM * moon.distanceM) * rOverD * rOverD;
    const double p3 = (5.0 * u2 - 3.0) * u / 2.0, dp3 = (15.0 * u2 - 3.0) / 2.0;
    up += m_factors.delta3 * scale3 * ((3.0 * p3 - u * dp3) * cp + dp3 * rn);
    const double p4 = (35.0 * u2 * u2 - 30.0 * u2 + 3.0) / 8.0, dp4 = (35.0 * u2 - 15.0) * u / 2.0;
    up += m_factors.delta4 * scale3 * rOverD * ((4.0 * p4 - u * dp4) * cp + dp4 * rn);

    TideSignal signal;
    signal.direct = -kMicroGalPerMps2 * up * m_options.amplitudeFactor;
    if (!m_options.nominalFactors)
        signal.resonance = tide::ResonanceSignalMicroGal(t, localSidereal, m_f21) * m_options.amplitudeFactor;
    return signal;
}

double TidalGravitySignalMicroGal(double dayNumberUtc, const TideStation& station, const TideOptions& options)
{
    return EarthTideModel(station, options).SignalMicroGal(dayNumberUtc);
}

double TideCorrectionMicroGal(double dayNumberUtc, const TideStation& station, const TideOptions& options)
{
    return -TidalGravitySignalMicroGal(dayNumberUtc, station, options);
}

double GravTide(double hoursSince1900, double latitudeDeg, double longitudeWestDeg, std::int32_t heightM,
                double amplitudeFactor)
{
    // Readings come in runs from one header: keep the last station's model.
    struct Cached {
        double latitudeDeg, longitudeWestDeg, amplitudeFactor;
        std::int32_t heightM;
        EarthTideModel model;
    };
    thread_local std::optional<Cached> cache;
    if (!cache || cache->latitudeDeg != latitudeDeg || cache->longitudeWestDeg != longitudeWestDeg ||
        cache->heightM != heightM || cache->amplitudeFactor != amplitudeFactor) {
        const TideStation station{latitudeDeg, -longitudeWestDeg, static_cast<double>(heightM)};
        cache.emplace(Cached{latitudeDeg, longitudeWestDeg, amplitudeFactor, heightM,
                             EarthTideModel(station, TideOptions{amplitudeFactor, false})});
    }
    const double dayNumber = hoursSince1900 / 24.0 + 2.0;
    return cache->model.CorrectionMicroGal(dayNumber);
}

}  // namespace bramble
