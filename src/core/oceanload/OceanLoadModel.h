#pragma once

// Ocean tide loading: the change of gravity at a station caused by the
// ocean tides (the load deforms the crust, the water attracts the meter),
// from the station's BLQ block.
//
// Model. The IERS Conventions (2010) method (section 7.1.2, the HARDISP
// program of D. Agnew), in double precision:
//  1. The block's eleven constituents give the admittance at their own
//     frequencies, Z = A / |H| e^(-i phase lag), H their Cartwright-Tayler-
//     Edden amplitude.
//  2. Within each band (long period, diurnal, semidiurnal), the real and
//     imaginary parts of Z are interpolated against frequency to all 342
//     constituents of TidalConstituents.h (BandInterpolator.h): the minor
//     waves follow the admittance of their neighbours instead of being lost.
//  3. Each constituent j contributes H_j |Z_j| cos(V_j + c + arg Z_j), V_j
//     its equilibrium argument at the epoch (DoodsonArguments.h) and c 180,
//     90 or 0 degrees for the long-period, diurnal and semidiurnal band.
//     The nodal side lines among the 342 carry the 18.6-year modulation of
//     the main waves, so no separate nodal factors are applied.
// Steps 1 and 2 are done once per block; each epoch computes the six
// Doodson arguments afresh (TT through the leap-second table of the tide)
// and sums the prepared constituents, so epochs years apart are as exact
// as neighbouring ones.
//
// Units and sign. Times are UTC day numbers (days since 1899-12-30 00:00).
// The result is in microGal (BLQ gravity amplitudes are nm/s^2 = 0.1
// microGal). The BLQ gravity is positive upward, so a positive value pulls
// the meter up and lowers the measured gravity: the value is the
// CORRECTION, ADDED to a reading like the earth-tide correction.
//
// Accuracy. Against the IERS program for two Hawaii stations (a week every
// 10 minutes, loading from -10.8 to +7.2 microGal): 0.0012 microGal RMS,
// 0.0027 at most, the size of that program's single precision and of the
// four decimals of its output. What limits the correction in practice is
// the BLQ block itself (the ocean tide model and the Earth model behind
// it): a few per cent of the loading, more in bays and on shelves that the
// ocean model resolves poorly.
//
// Speed: about 2.5 microseconds per epoch on one core once the block is set
// (400 000 evaluations a second, bench/ocean_load_bench), 0.04 ms to set a
// block.

#include <vector>

#include "corrections/Phasor.h"
#include "oceanload/BlqBlock.h"
#include "oceanload/TidalConstituents.h"

namespace bramble {

class OceanLoadModel {
public:
    explicit OceanLoadModel(const BlqBlock& block);

    double CorrectionMicroGal(double dayNumberUtc) const;

    // Constituents with a non-zero contribution (for tests and benchmarks).
    std::size_t termCount() const { return m_terms.size(); }

private:
    struct Term {
        oceanload::DoodsonNumbers doodson;
        // H |Z| in microGal as a phasor whose angle is the band's phase
        // offset plus arg Z; the equilibrium argument is added per epoch.
        tide::Phasor coefficient;
    };
    std::vector<Term> m_terms;
};

}  // namespace bramble
