#pragma once

namespace bramble {

// The two-sided bounds of the global test: v'Pv is accepted at significance
// alpha when quantile(chi2(dof), alpha/2) <= v'Pv <= quantile(chi2(dof), 1 - alpha/2).
// dof >= 1, 0 < alpha < 1.
struct ChiSquareBounds {
    double lower = 0.0, upper = 0.0;
};
ChiSquareBounds GlobalTestBounds(int dof, double alpha);

// Pope's tau test: the critical value for n observations and dof degrees of
// freedom (dof >= 2), from Student's t with dof - 1 degrees of freedom at
// 1 - alpha / (2n), turned into Pope's tau:
//   tau_c = t * sqrt(dof) / sqrt(dof - 1 + t^2).
double TauCritical(int dof, int observations, double alpha);

}  // namespace bramble
