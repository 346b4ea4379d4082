#pragma once

#include <array>
#include <cmath>
#include <numbers>

namespace bramble::tide {

inline constexpr double kRad = std::numbers::pi / 180.0;

// cos and sin of an angle. The product of two phasors is the phasor of the
// sum of their angles: the series of the tide build all their arguments
// from a few cos/sin pairs this way instead of calling sin and cos per term.
struct Phasor {
    double c = 1.0, s = 0.0;
};

inline Phasor Mul(Phasor a, Phasor b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }
inline Phasor Conj(Phasor a) { return {a.c, -a.s}; }

namespace detail {

constexpr double InverseFactorial(int n)
{
    double f = 1.0;
    for (int k = 2; k <= n; ++k)
        f /= k;
    return f;
}

// cos and sin for |x| <= pi/4 by the Taylor series to x^16 and x^15, whose
// truncation error (< 5e-17) is below the rounding of a double; used at
// compile time to fill the table below.
constexpr Phasor TaylorSinCos(double x)
{
    const double z = x * x;
    double cosRest = 0.0, sinRest = 0.0;
    for (int n = 16; n >= 2; n -= 2)
        cosRest = ((n / 2) % 2 == 0 ? 1.0 : -1.0) * InverseFactorial(n) + z * cosRest;
    for (int n = 15; n >= 3; n -= 2)
        sinRest = ((n / 2) % 2 == 0 ? 1.0 : -1.0) * InverseFactorial(n) + z * sinRest;
    return {1.0 + z * cosRest, x * (1.0 + z * sinRest)};
}

inline constexpr int kTableStepDeg = 5;
inline constexpr int kTableSize = 360 / kTableStepDeg;

// The phasors of 0, 5, 10, ... 355 degrees.
constexpr std::array<Phasor, kTableSize> MakeTable()
{
    std::array<Phasor, kTableSize> table{};
    for (int i = 0; i < kTableSize; ++i) {
        // The nearest quarter turn, and the rest within +-45 deg for the series.
        const int quarters = (i * kTableStepDeg + 45) / 90;
        const Phasor p = TaylorSinCos((i * kTableStepDeg - 90 * quarters) * kRad);
        const Phasor turns[4] = {{p.c, p.s}, {-p.s, p.c}, {-p.c, -p.s}, {p.s, -p.c}};
        table[static_cast<std::size_t>(i)] = turns[quarters % 4];
    }
    return table;
}

inline constexpr std::array<Phasor, kTableSize> kTable = MakeTable();

}  // namespace detail

// cos and sin of an angle in degrees. The tide needs about twenty of them
// per epoch, which through the C library would take a third of its time:
// the angle is split into a multiple of 5 deg, taken from a table, and a
// rest of at most 2.5 deg (0.044 rad), whose series to x^7 and x^8 is exact
// to the rounding of a double; one product joins the two.
inline Phasor FromDeg(double deg)
{
    const double steps = deg * (1.0 / detail::kTableStepDeg);
    if (!(std::abs(steps) < 1e15))  // also NaN and infinity
        return {std::cos(deg * kRad), std::sin(deg * kRad)};
    const long long n = static_cast<long long>(steps + (steps >= 0.0 ? 0.5 : -0.5));
    const double x = (deg - detail::kTableStepDeg * static_cast<double>(n)) * kRad;
    const double z = x * x;
    const Phasor rest = {1.0 + z * (-1.0 / 2 + z * (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320)))),
                         x * (1.0 + z * (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040))))};
    long long index = n % detail::kTableSize;
    if (index < 0)
        index += detail::kTableSize;
    return Mul(detail::kTable[static_cast<std::size_t>(index)], rest);
}

// The phasors of k x for k = -N..N, by recurrence from that of x.
template <int N>
class Multiples {
public:
    explicit Multiples(Phasor base)
    {
        m_v[N] = Phasor{};
        for (int k = 1; k <= N; ++k) {
            m_v[N + k] = Mul(m_v[N + k - 1], base);
            m_v[N - k] = Conj(m_v[N + k]);
        }
    }
    Phasor operator[](int k) const { return m_v[static_cast<std::size_t>(N + k)]; }

private:
    std::array<Phasor, 2 * N + 1> m_v{};
};

}  // namespace bramble::tide
