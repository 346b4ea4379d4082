#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjust/AdjustOptions.h"
#include "adjust/Network.h"

namespace bramble {

// One least-squares adjustment of the active observations of a network.
//
// Unknowns (gravity as xi = x - reference, mGal; t in days since the loop's
// first setup):
//   xi_s       every station not held fixed
//   o_L        per loop, readings model only: the loop's offset
//   d_L,p      per loop, p = 1..degree: the drift polynomial
//   k_m        per meter, when calibration is estimated
// Observation equations:
//   setup       g = k_m xi_s + o_L + sum_p d_L,p t^p
//   difference  g_b - g_a = k_m (xi_to - xi_from) + sum_p d_L,p (t_b^p - t_a^p)
//   datum       G - reference = xi_s
// weighted by 1/sigma^2. A station held fixed enters with its known value.
// Without calibration the model is linear and one solution is exact; with
// it, the products k_m xi_s are linearised around the current values
// (k = 1 and the solution without calibration to start) and the solution is
// repeated until the corrections vanish.
struct PassSolution {
    std::vector<double> xi, xiSd2;                       // per station (fixed: the value, 0)
    std::vector<std::vector<double>> drift, driftQ;      // per loop, p = 1..degree (value, cofactor)
    std::vector<std::optional<double>> offset, offsetQ;  // per loop (readings model)
    std::vector<std::optional<double>> factor, factorQ;  // per meter
    std::vector<double> residual;                        // per observation (0 when inactive): adjusted - observed
    std::vector<double> redundancy;                      // per observation
    double chi2 = 0.0;
    int observations = 0;
    int unknowns = 0;
};

struct PassOutcome {
    std::optional<PassSolution> solution;
    std::string error;
};

PassOutcome SolveNetwork(const Network& network, const AdjustOptions& options, const std::vector<bool>& active);

}  // namespace bramble
