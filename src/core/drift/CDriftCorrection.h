#pragma once

#include <array>

#include "survey/DateTime.h"

namespace bramble {

// A named drift polynomial: drift(t) = sum of c_k (t - t0)^k, k = 1..6, in mGal,
// with t and t0 day numbers. It has no constant term, so drift(t0) = 0.
struct CDriftCorrection {
    DateTime m_dtStart;                // t0
    std::array<double, 6> m_dCoeff{};  // c1..c6, mGal per day^k
};

}  // namespace bramble
