#pragma once

#include <string>
#include <vector>

#include "adjust/AdjustReading.h"
#include "adjust/Setup.h"

namespace bramble {

// The a-priori SD of one reading, mGal:
//   sigma = max(minimum, sqrt((factor * sd / sqrt(duration))^2 + add^2))
// with the division by sqrt(duration) only when the meter gives a duration,
// and the first term left out when it gives no SD (then sigma is
// max(minimum, add)).
struct SigmaOptions {
    double factor = 1.0;     // f
    double add = 0.005;      // a, mGal
    double minimum = 0.003;  // floor, mGal
};

double ReadingSigma(const AdjustReading& reading, const SigmaOptions& options);

struct SetupsFromReadings {
    std::vector<Setup> setups;
    std::vector<std::string> warnings;
};

// Consecutive readings of one station (and one meter) within a loop form a
// setup; rejected readings are left out and do not break a run. The setup's
// gravity, time and temperature are means weighted by 1/sigma^2 and its SD is
// sqrt(1 / sum(1/sigma^2)). Readings with a non-finite gravity or time are
// left out with a warning. Setups keep the order of the readings.
SetupsFromReadings BuildSetups(const std::vector<AdjustReading>& readings, const SigmaOptions& options);

}  // namespace bramble
