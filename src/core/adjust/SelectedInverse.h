#pragma once

#include <vector>

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

namespace bramble {

// The entries of the inverse of a sparse symmetric matrix N that lie in the
// pattern of its LDL' factor (Takahashi's recursion). Every pair of unknowns
// that share an observation is in that pattern, so this yields exactly the
// cofactors a_i Q a_i' the redundancy numbers need, at about the cost of
// the factorisation, without forming the dense inverse.
//
// With P N P' = L D L' (L unit lower triangular) and Z = (L D L')^-1:
//   Z(i,j) = -sum_{k > j, L(k,j) != 0} Z(i,k) L(k,j)          (i > j)
//   Z(j,j) = 1/D(j) - sum_{k > j, L(k,j) != 0} Z(k,j) L(k,j)
// computed column by column from the last; Q(a,b) = Z(perm(a), perm(b)).
class SelectedInverse {
public:
    using Solver = Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>>;

    // `solver` must hold a successful factorisation.
    explicit SelectedInverse(const Solver& solver);

    // Q(a, b) in the original numbering; the pair must share an observation
    // (or a == b). NaN for a pair outside the pattern.
    double at(int a, int b) const;

private:
    double zAt(int i, int j) const;  // permuted numbering, any order

    std::vector<int> m_perm;  // original index -> permuted index
    std::vector<int> m_outer, m_inner;
    std::vector<double> m_z;     // Z below the diagonal, in L's layout
    std::vector<double> m_diag;  // Z on the diagonal
};

}  // namespace bramble
