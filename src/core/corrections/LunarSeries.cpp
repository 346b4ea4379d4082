// The Moon's periodic terms of Meeus, Astronomical Algorithms (2nd ed.),
// ch. 47: tables 47.A (longitude, distance) and 47.B (latitude).
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "corrections/Ephemeris.h"
#include "corrections/Phasor.h"

namespace bramble::tide {
namespace {

// Multiples of the arguments D (mean elongation), M (Sun's mean anomaly),
// M' (Moon's mean anomaly) and F (argument of latitude).
struct LongitudeDistanceTerm {
    std::int8_t d, m, mp, f;
    std::int32_t sinLongitude;  // 1e-6 degree
    std::int32_t cosDistance;   // 1e-3 km
};

struct LatitudeTerm {
    std::int8_t d, m, mp, f;
    std::int32_t sinLatitude;  // 1e-6 degree
};

constexpr std::array<LongitudeDistanceTerm, 60> kTable47A = {{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

constexpr std::array<LatitudeTerm, 60> kTable47B = {{
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237}, {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},   {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},  {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},   {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},   {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},   {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},   {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},     {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},  {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},   {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
}};

// The tables rearranged for speed: every argument is the sum of a (D, M)
// part and an (M', F) part; the distinct parts are formed once per call and
// each term costs one product.
struct ArgumentPair {
    int first, second;
    constexpr bool operator==(const ArgumentPair&) const = default;
};

struct SeriesLayout {
    std::array<ArgumentPair, 120> dm{}, mf{};
    std::size_t dmCount = 0, mfCount = 0;
    std::array<std::uint8_t, 60> longitudeDm{}, longitudeMf{}, latitudeDm{}, latitudeMf{};
    std::array<double, 60> longitude{}, distance{}, latitude{};
};

constexpr std::uint8_t IndexOf(std::array<ArgumentPair, 120>& pairs, std::size_t& count, ArgumentPair p)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (pairs[i] == p)
            return static_cast<std::uint8_t>(i);
    }
    pairs[count] = p;
    return static_cast<std::uint8_t>(count++);
}

constexpr SeriesLayout MakeLayout()
{
    SeriesLayout s;
    for (std::size_t i = 0; i < kTable47A.size(); ++i) {
        const auto& t = kTable47A[i];
        s.longitudeDm[i] = IndexOf(s.dm, s.dmCount, {t.d, t.m});
        s.longitudeMf[i] = IndexOf(s.mf, s.mfCount, {t.mp, t.f});
        s.longitude[i] = t.sinLongitude;
        s.distance[i] = t.cosDistance;
    }
    for (std::size_t i = 0; i < kTable47B.size(); ++i) {
        const auto& t = kTable47B[i];
        s.latitudeDm[i] = IndexOf(s.dm, s.dmCount, {t.d, t.m});
        s.latitudeMf[i] = IndexOf(s.mf, s.mfCount, {t.mp, t.f});
        s.latitude[i] = t.sinLatitude;
    }
    return s;
}

constexpr SeriesLayout kLayout = MakeLayout();

}  // namespace

EclipticPosition MoonEcliptic(double t)
{
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    const double lp = 218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0;
    const double d = 297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 - t4 / 113065000.0;
    const double m = 357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0;
    const double mp = 134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0;
    const double f = 93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 + t4 / 863310000.0;
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.290 * t;
    const double a3 = 313.45 + 481266.484 * t;
    // Decreasing eccentricity of the Earth's orbit: terms in M carry E, in 2M E^2.
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const std::array<double, 3> ePower = {1.0, e, e * e};

    const Multiples<4> dk(FromDeg(d));
    const Multiples<2> mk(FromDeg(m));
    const Multiples<4> mpk(FromDeg(mp));
    const Multiples<3> fk(FromDeg(f));

    std::array<Phasor, kLayout.dmCount> dm;
    for (std::size_t i = 0; i < dm.size(); ++i) {
        const ArgumentPair& pair = kLayout.dm[i];
        const Phasor z = Mul(dk[pair.first], mk[pair.second]);
        const double scale = ePower[static_cast<std::size_t>(std::abs(pair.second))];
        dm[i] = {scale * z.c, scale * z.s};
    }
    std::array<Phasor, kLayout.mfCount> mf;
    for (std::size_t i = 0; i < mf.size(); ++i)
        mf[i] = Mul(mpk[kLayout.mf[i].first], fk[kLayout.mf[i].second]);

    // Two terms a step into separate sums, so that consecutive terms do not
    // wait on one another's addition.
    static_assert(kTable47A.size() % 2 == 0 && kTable47B.size() % 2 == 0);
    double l0 = 0, l1 = 0, r0 = 0, r1 = 0, b0 = 0, b1 = 0;
    for (std::size_t i = 0; i < kTable47A.size(); i += 2) {
        const Phasor z0 = Mul(dm[kLayout.longitudeDm[i]], mf[kLayout.longitudeMf[i]]);
        const Phasor z1 = Mul(dm[kLayout.longitudeDm[i + 1]], mf[kLayout.longitudeMf[i + 1]]);
        l0 += kLayout.longitude[i] * z0.s;
        l1 += kLayout.longitude[i + 1] * z1.s;
        r0 += kLayout.distance[i] * z0.c;
        r1 += kLayout.distance[i + 1] * z1.c;
    }
    // Latitude needs only the sine of each argument.
    for (std::size_t i = 0; i < kTable47B.size(); i += 2) {
        const Phasor a0 = dm[kLayout.latitudeDm[i]], c0 = mf[kLayout.latitudeMf[i]];
        const Phasor a1 = dm[kLayout.latitudeDm[i + 1]], c1 = mf[kLayout.latitudeMf[i + 1]];
        b0 += kLayout.latitude[i] * (a0.s * c0.c + a0.c * c0.s);
        b1 += kLayout.latitude[i + 1] * (a1.s * c1.c + a1.c * c1.s);
    }
    double longitude = l0 + l1, latitude = b0 + b1;
    const double distance = r0 + r1;

    // Additive terms: Venus (A1), Jupiter (A2) and the flattening of the Earth (L' - F).
    const Phasor lpk = FromDeg(lp);
    const Phasor a1k = FromDeg(a1);
    const Phasor fConj = Conj(fk[1]);
    const Phasor mpConj = Conj(mpk[1]);
    longitude += 3958.0 * a1k.s + 1962.0 * Mul(lpk, fConj).s + 318.0 * FromDeg(a2).s;
    latitude += -2235.0 * lpk.s + 382.0 * FromDeg(a3).s + 175.0 * Mul(a1k, fConj).s + 175.0 * Mul(a1k, fk[1]).s +
                127.0 * Mul(lpk, mpConj).s - 115.0 * Mul(lpk, mpk[1]).s;

    return {lp + longitude * 1e-6, latitude * 1e-6, (385000.56 + distance * 1e-3) * 1000.0};
}

}  // namespace bramble::tide
