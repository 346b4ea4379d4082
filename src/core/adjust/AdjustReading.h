#pragma once

#include <optional>
#include <string>

namespace bramble {

// One meter reading as the network adjustment needs it, whatever the meter
// or file it came from. `gravity` already carries the corrections chosen for
// the survey (tide, pressure, polar motion) but not the instrument drift,
// which the adjustment models itself. Units: mGal, seconds, day numbers.
struct AdjustReading {
    std::string loop;
    std::string station;
    double time = 0.0;                  // day number (see DateTime), UT
    double gravity = 0.0;               // mGal
    std::optional<double> sd;           // mGal; none for meters without one
    std::optional<double> duration;     // seconds; none when the meter gives none
    std::optional<double> temperature;  // as the meter gives it
    std::string meter;                  // serial or name; "" when unknown
    bool rejected = false;              // left out of the setups
    std::optional<double> latitude;     // degrees, north positive (for a map)
    std::optional<double> longitude;    // degrees, east positive
};

}  // namespace bramble
