#pragma once

#include <functional>
#include <vector>

#include "adjust/AdjustOptions.h"
#include "adjust/AdjustResult.h"
#include "adjust/Datum.h"
#include "adjust/Setup.h"

namespace bramble {

// The network adjustment: station gravity from setups of any number of
// loops, surveys and meters, tied to datums, in mGal.
//
// Model (t in days since each loop's first setup, x_s the gravity of
// station s, k_m the calibration factor of meter m, 1 unless estimated):
//   readings model     g_setup = k_m x_s + offset_L + sum_{p=1..degree} d_L,p t^p
//   differences model  g_b - g_a = k_m (x_to - x_from) + sum_p d_L,p (t_b^p - t_a^p)
//                      for successive setups a, b of a loop, sigma^2 = sigma_a^2 + sigma_b^2
//                      (correlations between successive differences ignored)
//   datum              G_s = x_s with its SD; SD 0 holds x_s fixed: the station
//                      is eliminated from the unknowns, not weighted
// (the level k_m x_s is taken about the first datum's value, which the
// offsets absorb). Weighted least squares with P = diag(1/sigma^2), solved
// with a sparse LDL' factorisation; see NetworkSolver.h for the unknowns.
//
// Statistics: dof = n - u; chi2 = v'Pv (v = adjusted - observed);
// s0 = sqrt(chi2 / dof); the two-sided global chi2 test at alpha; SDs
// a-posteriori s0 sqrt(q_xx) (or a-priori sqrt(q_xx)); redundancy numbers
// r_i = (Q_vv P)_ii; standardized residuals w_i = v_i / (s0 sqrt(q_vv,i));
// Pope's tau test flags |w_i| above its critical value (TestStatistics.h).
// With removeOutliers the worst flagged observation is removed and the
// network adjusted again until none is flagged (or a removal would leave
// the network unsolvable).
//
// Never throws: an impossible adjustment comes back as an error naming the
// cause (a station without a tie to any datum, a loop with too few setups
// for its drift, dof below 0 ...).
//
// `progress`, when given, is told before each solution the pass (1 the
// first) and how many observations were removed so far; returning false
// stops the adjustment between two solutions, and the outcome is then the
// error kAdjustmentCancelled.
using AdjustProgress = std::function<bool(int pass, int removed)>;
inline constexpr const char* kAdjustmentCancelled = "the adjustment was cancelled";

AdjustOutcome Adjust(const std::vector<Setup>& setups, const std::vector<Datum>& datums, const AdjustOptions& options,
                     const AdjustProgress& progress = {});

}  // namespace bramble
