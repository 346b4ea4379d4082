#include "adjust/SelectedInverse.h"

#include <algorithm>
#include <limits>

namespace bramble {

SelectedInverse::SelectedInverse(const Solver& solver)
{
    const auto& L = solver.matrixL().nestedExpression();   // strictly lower, compressed, rows sorted
    const int n = static_cast<int>(L.cols());
    const auto& D = solver.vectorD();
    m_perm.resize(n);
    const auto& p = solver.permutationP().indices();
    if (p.size() == n)
        for (int a = 0; a < n; ++a)
            m_perm[a] = p[a];
    else
        for (int a = 0; a < n; ++a)
            m_perm[a] = a;
    m_outer.assign(L.outerIndexPtr(), L.outerIndexPtr() + n + 1);
    m_inner.assign(L.innerIndexPtr(), L.innerIndexPtr() + m_outer[n]);
    const double* lx = L.valuePtr();
    m_z.assign(m_inner.size(), 0.0);
    m_diag.assign(n, 0.0);
    for (int j = n - 1; j >= 0; --j) {
        const int begin = m_outer[j], end = m_outer[j + 1];
        for (int a = begin; a < end; ++a) {
            const int i = m_inner[a];
            double s = 0.0;
            for (int b = begin; b < end; ++b)
                s += zAt(i, m_inner[b]) * lx[b];
            m_z[a] = -s;
        }
        double s = 0.0;
        for (int a = begin; a < end; ++a)
            s += m_z[a] * lx[a];
        m_diag[j] = 1.0 / D[j] - s;
    }
}

double SelectedInverse::zAt(int i, int j) const
{
    if (i == j)
        return m_diag[i];
    const int col = std::min(i, j), row = std::max(i, j);
    const auto first = m_inner.begin() + m_outer[col], last = m_inner.begin() + m_outer[col + 1];
    const auto it = std::lower_bound(first, last, row);
    if (it == last || *it != row)
        return std::numeric_limits<double>::quiet_NaN();
    return m_z[static_cast<std::size_t>(it - m_inner.begin())];
}

double SelectedInverse::at(int a, int b) const { return zAt(m_perm[a], m_perm[b]); }

}  // namespace bramble
