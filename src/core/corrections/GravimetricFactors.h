#pragma once

#include "corrections/TideStation.h"

namespace bramble::tide {

// Amplitude factors (delta) of the elastic Earth that multiply the rigid-Earth
// tidal gravity, one per degree and, for degree 2, per order.
struct GravimetricFactors {
    double delta20 = 1.0;  // long-period waves
    double delta21 = 1.0;  // diurnal waves (the value at O1; see TideWaves.h)
    double delta22 = 1.0;  // semidiurnal waves
    double delta3 = 1.0;
    double delta4 = 1.0;
};

// Wahr-Dehant-Zschau factors for an elliptical, rotating, elastic and
// inelastic Earth, with their dependence on the geocentric latitude, as
// parametrised in ETERNA (Dehant 1987, Wahr 1981).
GravimetricFactors WdzFactors(const StationGeometry& g);

// The uniform factors of a simple check model: 1.16 for degree 2, 1.07 for
// degree 3, degree 4 left out.
GravimetricFactors NominalFactors();

}  // namespace bramble::tide
