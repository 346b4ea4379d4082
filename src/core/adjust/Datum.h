#pragma once

#include <string>

namespace bramble {

// A station of known gravity. An SD of 0 holds the station fixed; any other
// SD makes the value a weighted observation of the station.
struct Datum {
    std::string station;
    double gravity = 0.0;  // mGal
    double sd = 0.0;       // mGal, >= 0
    std::string source;    // where it came from, for messages and reports
};

}  // namespace bramble
