#pragma once

// The six Doodson arguments of the tidal spectrum and their rates.

#include <array>

#include "oceanload/TidalConstituents.h"

namespace bramble::oceanload {

// tau, s, h, p, N', ps in degrees (not reduced to 0..360), or their rates in
// cycles per day. tau is the mean lunar time at Greenwich counted from the
// lower transit: 360 deg times the UTC fraction of the day, minus the mean
// elongation of the Moon D = s - h. s, h, p, N' and ps are the mean elements
// of the earth tide (tide::MeanElementsAt) at T = Julian centuries of TT
// since J2000.0, TT from UTC through the leap-second table of the tide.
using DoodsonArguments = std::array<double, 6>;

DoodsonArguments DoodsonArgumentsAt(double dayNumberUtc);

// Rates at T centuries from J2000.0 (the first-order rates of the Delaunay
// elements l, l', F, D, Omega, with their slow change in T).
DoodsonArguments DoodsonRatesCpd(double t);

// A constituent's frequency (cycles per day) or equilibrium argument (degrees).
double Combine(const DoodsonNumbers& doodson, const DoodsonArguments& values);

}  // namespace bramble::oceanload
