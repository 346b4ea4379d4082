#pragma once

#include <optional>
#include <string>

namespace bramble {

// One occupation of a station within a loop: the weighted mean of the
// consecutive readings taken there, or a row of a setups file as it stands.
struct Setup {
    std::string loop;
    std::string station;
    double time = 0.0;     // day number, UT
    double gravity = 0.0;  // mGal
    double sd = 0.0;       // mGal, > 0
    std::optional<double> temperature;
    std::string meter;  // "" when unknown
    int readings = 1;   // readings averaged into the setup
    std::optional<double> latitude;
    std::optional<double> longitude;
    std::string source;  // "file:line" for messages; may be empty
};

}  // namespace bramble
