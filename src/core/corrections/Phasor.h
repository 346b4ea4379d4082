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
inline Phasor FromDeg(double deg) { return {std::cos(deg * kRad), std::sin(deg * kRad)}; }

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
