#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjust/AdjustOptions.h"
#include "adjust/Datum.h"
#include "adjust/Setup.h"

namespace bramble {

// The adjustment's observations, built once from the setups and datums and
// kept with a stable index while outliers are removed. Gravity values enter
// as xi = x - reference (reference: the first datum's value) so that the
// normal equations hold small numbers.
struct NetworkObservation {
    enum class Kind { setup, difference, datum };
    Kind kind = Kind::setup;
    int loop = -1;                     // index into Network::loops; -1 for a datum
    int from = -1;                     // station of the earlier setup of a difference
    int to = -1;                       // station observed
    int setupFrom = -1, setupTo = -1;  // setup indices (setupTo for a setup)
    double tFrom = 0.0, tTo = 0.0;     // days since the loop's first setup
    double observed = 0.0;             // mGal (a datum: its value minus reference)
    double sigma = 0.0;                // mGal
    int datum = -1;                    // index into Network::datums
};

struct NetworkLoop {
    std::string name;  // the loop, with the meter when one loop holds several
    std::string meter;
    int meterIndex = 0;
    double firstTime = 0.0;
};

struct Network {
    std::vector<std::string> stations;
    std::vector<int> setupCount;                 // per station
    std::vector<std::optional<double>> fixedXi;  // per station: held at this xi
    std::vector<std::optional<double>> latitude, longitude;
    std::vector<std::string> meters;
    std::vector<NetworkLoop> loops;
    std::vector<Datum> datums;  // the datums in use
    std::vector<NetworkObservation> observations;
    double reference = 0.0;  // mGal
};

struct NetworkBuild {
    std::optional<Network> network;
    std::string error;
    std::vector<std::string> warnings;
};

// A loop is the setups sharing a loop name and a meter, in the order given
// (which must be time order). Datums of stations without setups are left out
// with a warning; two fixed datums of one station must agree. Without any
// datum the first station is held at 0 (warning).
NetworkBuild BuildNetwork(const std::vector<Setup>& setups, const std::vector<Datum>& datums,
                          const AdjustOptions& options);

}  // namespace bramble
