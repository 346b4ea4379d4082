#pragma once

// Reader of ocean-loading parameter files ("BLQ", as the loading provider
// sends them): any number of station blocks, each a station name line and
// six rows of eleven numbers (amplitudes of gravity, tilt east-west, tilt
// north-south, then the phase lags of the same), columns M2 S2 N2 K2 K1 O1
// P1 Q1 MF MM SSA. Lines starting with "$$" are comments; the comment of a
// block holding "lon/lat:" gives its position. Blank lines are skipped.
//
// Refused, with the file, the line and the fault in the message: a file
// with no block, a row with missing, extra, non-numeric or non-finite
// numbers, a negative amplitude, a phase beyond +-360 degrees, a block cut
// short, a station name with control characters or longer than 80
// characters, a malformed "lon/lat:" comment, a header whose "COLUMN ORDER:"
// is not the one above, a displacement block ("RADI TANG": the parameters
// for gravity are the "GRAV TILT" ones) and one station name given twice
// with different numbers (the same block twice is kept once).

#include <string>
#include <string_view>
#include <vector>

#include "oceanload/BlqBlock.h"
#include "result/Result.h"

namespace bramble {

// The blocks in file order; a refused file has no value and an error of
// one sentence.
using BlqReadResult = Result<std::vector<BlqBlock>>;

BlqReadResult ReadBlqFile(const std::string& path);

// The blocks of a text already in memory; `source` names it in messages.
BlqReadResult ReadBlqText(std::string_view text, const std::string& source);

}  // namespace bramble
