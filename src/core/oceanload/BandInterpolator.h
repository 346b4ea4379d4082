#pragma once

// Interpolation of the loading admittance (its real or its imaginary part)
// against frequency within one tidal band, from the band's BLQ constituents
// to every constituent of the band.

#include <vector>

namespace bramble::oceanload {

class BandInterpolator {
public:
    // `x` strictly ascending, as many values as `y`. Four points or more give
    // a cubic spline whose end slopes are those of the parabola through the
    // three points nearest each end; three or fewer give straight lines
    // (one point a constant, none zero).
    BandInterpolator(std::vector<double> x, std::vector<double> y);

    // Beyond the first and the last point the end value is held.
    double operator()(double x) const;

private:
    std::vector<double> m_x, m_y;
    std::vector<double> m_slopes;  // dy/dx at each point; empty for straight lines
};

}  // namespace bramble::oceanload
