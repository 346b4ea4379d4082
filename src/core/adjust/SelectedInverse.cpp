#include "adjust/SelectedInverse.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace bramble {

SelectedInverse::SelectedInverse(const Solver& solver)
{
    const auto& L = solver.matrixL().nestedExpression();  // strictly lower, compressed, rows sorted
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
    // For column j with rows r_0 < r_1 < ... (all > j), the sums
    //   s_a = sum_b Z(r_a, r_b) L(r_b, j)
    // need Z at every pair of those rows. The rows of column j after r_b
    // all lie in column r_b of the pattern (the fill property), so one
    // merge walk down column r_b finds them in order, and each entry found
    // serves both s_a and, by symmetry, s_b.
    std::vector<double> sums;
    for (int j = n - 1; j >= 0; --j) {
        const int begin = m_outer[j], end = m_outer[j + 1];
        sums.assign(static_cast<std::size_t>(end - begin), 0.0);
        for (int b = begin; b < end; ++b) {
            const int k = m_inner[b];
            sums[b - begin] += m_diag[k] * lx[b];
            int p = m_outer[k];
            const int pEnd = m_outer[k + 1];
            for (int a = b + 1; a < end; ++a) {
                const int row = m_inner[a];
                while (p < pEnd && m_inner[p] < row)
                    ++p;
                if (p == pEnd || m_inner[p] != row)
                    throw std::logic_error("selected inverse: an entry outside the factor's pattern");
                const double z = m_z[p];
                sums[a - begin] += z * lx[b];
                sums[b - begin] += z * lx[a];
            }
        }
        double s = 0.0;
        for (int a = begin; a < end; ++a) {
            m_z[a] = -sums[a - begin];
            s += m_z[a] * lx[a];
        }
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
