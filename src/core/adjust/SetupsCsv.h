#pragma once

#include <string>
#include <vector>

#include "adjust/Setup.h"
#include "result/Result.h"

namespace bramble {

// The setups of a file, or the error that refused it ("FILE line N: ...").
using SetupsFile = Result<std::vector<Setup>>;

// Reads a file of setups computed elsewhere. The first non-empty line is
// the header naming the columns, in any order: loop, station, time, g, sd
// are required, temp and meter optional; any other name is refused. Each
// further line is one setup as it stands: time "YYYY-MM-DD HH:MM:SS" UT,
// g and sd in mGal (sd > 0), temp empty or a number. Rows of a loop (and
// meter) must be in time order. Any bad line refuses the whole file, naming the line.
SetupsFile ReadSetupsCsv(const std::string& path);

}  // namespace bramble
