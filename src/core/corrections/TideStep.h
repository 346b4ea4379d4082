#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace bramble {

class CReading;

// The tide function of the "Berger" option: hours since 1900-01-01 00:00,
// latitude (degrees), longitude (degrees, WEST positive), height (m) and an
// amplitude factor; returns the correction in microGal, to be added.
using TideFunction = std::function<double(double hoursSince1900, double latitudeDeg, double longitudeWestDeg,
                                          std::int32_t heightM, double amplitudeFactor)>;

// The program's earth-tide model (GravTide).
TideFunction DefaultTideFunction();

// The first step of the pipeline: rebuilds the reading's working gravity
// from its load-time values and the tide option.
//   Longman: m_dGrav = m_dRawGrav (the meter's tide kept), no tide correction,
//            the working E.T.C. back to the value read;
//   Berger:  m_dGrav = m_dGravLessEtc + the computed tide, which goes into
//            m_dTideCorr; the tide is computed at the reading's time as
//            stored, height 0, factor 1, at the reading's own position
//            where its file gives one (CG-5, CG-6, Burris), else at its own
//            header's coordinates;
//   None (and any other value): m_dGrav = m_dGravLessEtc, no tide
//            correction, the working E.T.C. = 0.
// Returns false when Berger was asked for a reading without a position:
// its tide correction is then 0 (m_dGrav = m_dGravLessEtc).
bool ApplyTideStep(CReading& reading, int tideMode, const TideFunction& tide);

// The Berger step in two parts, so that the tides of many readings can be
// computed apart (e.g. on several threads) and applied after:
// BergerTideMgal gives the correction of the reading, mGal (0 for a
// reading without a position), and
// ApplyBergerTide applies a correction so computed.
double BergerTideMgal(const CReading& reading, const TideFunction& tide);
void ApplyBergerTide(CReading& reading, double tideMgal);

// The same step without changing the reading: the working gravity, the
// tide correction and, where the option sets it, the working E.T.C. of a
// reading that holds the meter's tide (as read for Longman, 0 for None);
// `placed` false when Berger was asked for a reading without a position.
struct TideStepResult {
    double gravity = 0.0;
    double tideCorr = 0.0;
    std::optional<double> etc;
    bool placed = true;
};
TideStepResult TideStepOf(const CReading& reading, int tideMode, const TideFunction& tide);

}  // namespace bramble
