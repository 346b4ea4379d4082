#include "adjust/TestStatistics.h"

#include <cmath>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>

namespace bramble {

ChiSquareBounds GlobalTestBounds(int dof, double alpha)
{
    const boost::math::chi_squared chi2(dof);
    return {boost::math::quantile(chi2, alpha / 2.0), boost::math::quantile(chi2, 1.0 - alpha / 2.0)};
}

double TauCritical(int dof, int observations, double alpha)
{
    const boost::math::students_t t(dof - 1);
    const double tc = boost::math::quantile(t, 1.0 - alpha / (2.0 * observations));
    return tc * std::sqrt(static_cast<double>(dof)) / std::sqrt(dof - 1.0 + tc * tc);
}

}  // namespace bramble
