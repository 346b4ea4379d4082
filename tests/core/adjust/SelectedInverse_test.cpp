#include "adjust/SelectedInverse.h"

#include <gtest/gtest.h>

#include <random>

#include <Eigen/Dense>

namespace bramble {
namespace {

// The entries the redundancy numbers need, against the dense inverse, for a
// sparse matrix shaped like normal equations (A'A of short random rows).
TEST(SelectedInverse, MatchesTheDenseInverseOnThePattern)
{
    const int unknowns = 40, rows = 120;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(0, unknowns - 1);
    std::normal_distribution<double> value(0.0, 1.0);
    std::vector<std::vector<std::pair<int, double>>> design(rows);
    std::vector<Eigen::Triplet<double>> triplets;
    for (auto& row : design) {
        for (int k = 0; k < 3; ++k)
            row.emplace_back(pick(random), value(random));
        for (const auto& [i, a] : row)
            for (const auto& [j, b] : row)
                triplets.emplace_back(i, j, a * b);
    }
    for (int i = 0; i < unknowns; ++i)
        triplets.emplace_back(i, i, 0.5);  // every unknown determined
    Eigen::SparseMatrix<double> n(unknowns, unknowns);
    n.setFromTriplets(triplets.begin(), triplets.end());
    SelectedInverse::Solver solver(n);
    ASSERT_EQ(solver.info(), Eigen::Success);
    const SelectedInverse q(solver);
    const Eigen::MatrixXd dense = Eigen::MatrixXd(n).inverse();
    for (const auto& row : design)
        for (const auto& [i, a] : row)
            for (const auto& [j, b] : row)
                EXPECT_NEAR(q.at(i, j), dense(i, j), 1e-10 * std::abs(dense(i, i))) << i << "," << j;
    for (int i = 0; i < unknowns; ++i)
        EXPECT_NEAR(q.at(i, i), dense(i, i), 1e-10 * dense(i, i));
}

}  // namespace
}  // namespace bramble
