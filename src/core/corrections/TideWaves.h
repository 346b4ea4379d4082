#pragma once

#include <array>
#include <cstdint>

#include "corrections/Phasor.h"

namespace bramble::tide {

// The diurnal waves whose elastic-Earth factor departs from the single
// diurnal factor of the direct computation (delta21, the value at O1)
// because of the nearly-diurnal free-wobble (free core nutation) resonance.
// The direct computation treats every diurnal wave with delta21; these
// waves add (delta_wave - delta21) times their own rigid-Earth gravity.
struct ResonanceWave {
    const char* name;
    // Multiples of tau (local mean lunar time), s, h, p, N' (minus the lunar
    // node longitude) and ps in the wave's argument.
    std::int8_t kTau, kS, kH, kP, kNp, kPs;
    double frequencyDegPerHour;
    // Hartmann-Wenzel (1995) sine and cosine potential coefficients of the
    // wave at J2000, Moon, Sun and planets summed, in 1e-10 m^2/s^2.
    double sineCoefficient;
    double cosineCoefficient;
};

// Ranked by the size of their correction: K1 alone removes four fifths of
// the resonance error, K1, its node satellite and P1 nearly all of it.
inline constexpr std::array<ResonanceWave, 10> kResonanceWaves = {{
    {"K1", 1, 1, 0, 0, 0, 0, 15.04106864, -7205112769.0, -4853.0},
    {"K1 +N'", 1, 1, 0, 0, 1, 0, 15.04327505, -977846123.0, 0.0},
    {"P1", 1, 1, -2, 0, 0, 0, 14.95893136, 2384376527.0, -6789.0},
    {"PSI1", 1, 1, 1, 0, 0, -1, 15.08213532, -56389727.0, 0.0},
    {"K1 -N'", 1, 1, 0, 0, -1, 0, 15.03886223, 142681505.0, 0.0},
    {"PHI1", 1, 1, 2, 0, 0, 0, 15.12320592, -102598766.0, -665.0},
    {"J1", 1, 2, 0, -1, 0, 0, 15.58544335, -403017280.0, 0.0},
    {"PI1", 1, 1, -3, 0, 0, 1, 14.91786468, 139377263.0, 0.0},
    {"K1 +2N'", 1, 1, 0, 0, 2, 0, 15.04548145, 21009815.0, 0.0},
    {"S1", 1, 1, -1, 0, 0, 1, 15.00000196, -56363093.0, 0.0},
}};

// delta_wave - delta21 of the Wahr-Dehant-Zschau model: a resonance at the
// free-wobble frequency 15.073729 deg/h, zero at O1 (13.943036 deg/h).
// It does not depend on latitude.
constexpr double ResonanceFactorShift(double frequencyDegPerHour)
{
    return -0.000625 * (frequencyDegPerHour - 13.943036) / (15.073729 - frequencyDegPerHour);
}

// Mean elements of the Moon and Sun (Simon et al. 1994) in degrees, T in
// Julian centuries of TT since J2000.0: s, h, p, N' = -node, ps.
struct MeanElements {
    double s, h, p, np, ps;
};
MeanElements MeanElementsAt(double t);

// The resonance correction of the tidal gravity signal in microGal (positive
// when it increases gravity). `localSidereal` is the phasor of GMST + east
// longitude; `stationFunction21` is F21 of TideStation.h.
double ResonanceSignalMicroGal(double t, Phasor localSidereal, double stationFunction21);

}  // namespace bramble::tide
