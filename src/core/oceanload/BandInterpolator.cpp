#include "oceanload/BandInterpolator.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <iterator>

namespace bramble::oceanload {
namespace {

// Slope at x0 of the parabola through (x0, y0), (x1, y1), (x2, y2).
double ParabolaSlope(double x0, double y0, double x1, double y1, double x2, double y2)
{
    const double d01 = (y1 - y0) / (x1 - x0);
    const double d12 = (y2 - y1) / (x2 - x1);
    const double curvature = (d12 - d01) / (x2 - x0);
    return d01 + curvature * (x0 - x1);
}

// The slopes of the cubic spline through the points with the given end
// slopes: continuity of the second derivative at each inner point gives
//   h[i] m[i-1] + 2 (h[i-1] + h[i]) m[i] + h[i-1] m[i+1] = 3 (h[i] d[i-1] + h[i-1] d[i]),
// h the intervals and d the chord slopes, a tridiagonal system solved by
// elimination (it is diagonally dominant, so no pivoting is needed).
std::vector<double> ClampedSplineSlopes(const std::vector<double>& x, const std::vector<double>& y)
{
    const std::size_t n = x.size();
    std::vector<double> h(n - 1), d(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i] = (y[i + 1] - y[i]) / h[i];
    }
    std::vector<double> m(n);
    m.front() = ParabolaSlope(x[0], y[0], x[1], y[1], x[2], y[2]);
    m.back() = ParabolaSlope(x[n - 1], y[n - 1], x[n - 2], y[n - 2], x[n - 3], y[n - 3]);

    // Forward elimination over the inner points 1..n-2, the known end slopes
    // moved to the right-hand side; then back substitution.
    std::vector<double> diag(n), rhs(n);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        diag[i] = 2.0 * (h[i - 1] + h[i]);
        rhs[i] = 3.0 * (h[i] * d[i - 1] + h[i - 1] * d[i]);
    }
    rhs[1] -= h[1] * m.front();
    rhs[n - 2] -= h[n - 3] * m.back();
    for (std::size_t i = 2; i + 1 < n; ++i) {
        const double factor = h[i] / diag[i - 1];  // sub-diagonal h[i] over the previous pivot
        diag[i] -= factor * h[i - 2];              // super-diagonal of row i-1 is h[i-2]
        rhs[i] -= factor * rhs[i - 1];
    }
    for (std::size_t i = n - 2; i >= 1; --i) {
        const double next = i + 2 < n ? h[i - 1] * m[i + 1] : 0.0;  // the last end slope is in rhs
        m[i] = (rhs[i] - next) / diag[i];
    }
    return m;
}

}  // namespace

BandInterpolator::BandInterpolator(std::vector<double> x, std::vector<double> y) : m_x(std::move(x)), m_y(std::move(y))
{
    assert(m_x.size() == m_y.size());
    assert(std::adjacent_find(m_x.begin(), m_x.end(), std::greater_equal<>()) == m_x.end());
    if (m_x.size() >= 4)
        m_slopes = ClampedSplineSlopes(m_x, m_y);
}

double BandInterpolator::operator()(double x) const
{
    if (m_x.empty())
        return 0.0;
    if (x <= m_x.front())
        return m_y.front();
    if (x >= m_x.back())
        return m_y.back();
    const std::size_t i =
        static_cast<std::size_t>(std::distance(m_x.begin(), std::upper_bound(m_x.begin(), m_x.end(), x))) - 1;
    const double h = m_x[i + 1] - m_x[i];
    const double t = (x - m_x[i]) / h;
    if (m_slopes.empty())
        return m_y[i] + t * (m_y[i + 1] - m_y[i]);
    // Cubic Hermite form of the spline piece.
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * m_y[i] + (t3 - 2 * t2 + t) * h * m_slopes[i] + (3 * t2 - 2 * t3) * m_y[i + 1] +
           (t3 - t2) * h * m_slopes[i + 1];
}

}  // namespace bramble::oceanload
