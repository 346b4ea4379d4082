#pragma once

// Gives a survey's readings their ocean tide loading from a BLQ file.

#include <string>
#include <vector>

#include "oceanload/BlqBlock.h"
#include "result/Result.h"

namespace bramble {

class CKelpDoc;

struct SurveyOceanLoad {
    int m_nStations = 0;                   // stations of the survey that took a block
    int m_nReadings = 0;                   // readings given a loading
    std::vector<std::string> m_Unmatched;  // stations without a block, in reading order
};

// Every reading of `doc` takes the loading of its station's block at its
// time as stored (UTC, like the tide): the block of the same name, else the
// nearest block within `maxDistanceKm` of the reading's own position where
// its file gives one (CG-5, CG-6, Burris), else its header's
// (MatchBlqStations). Readings of a station without a block get none (not
// a number). A reading without a position, or at exactly 0, 0 (coordinates
// never typed in), matches by name only.
//
// All or nothing: an error when not one station has a block, and then no
// reading changes. Otherwise a warning names the stations without one.
Result<SurveyOceanLoad> AssignOceanLoading(CKelpDoc& doc, const std::vector<BlqBlock>& blocks, double maxDistanceKm,
                                           const std::string& source);

// The BLQ file at `path` read and assigned as above; an error when it
// cannot be read or is not BLQ, and then no reading changes either.
Result<SurveyOceanLoad> LoadOceanLoading(CKelpDoc& doc, const std::string& path, double maxDistanceKm);

// The distances a match may use: a number from 0 to this, km. An error
// says so for any other.
inline constexpr double kMaxBlqMatchDistanceKm = 1000.0;
Outcome CheckBlqMatchDistance(double km);

}  // namespace bramble
