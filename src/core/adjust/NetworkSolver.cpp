#include "adjust/NetworkSolver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "adjust/SelectedInverse.h"

namespace bramble {
namespace {

using Kind = NetworkObservation::Kind;
constexpr int kMaxIterations = 50;
// A pivot this much smaller than its diagonal means the unknown is not
// determined by the observations (a datum defect or a loop without enough
// setups); a well-posed network stays far above it.
constexpr double kPivotTolerance = 1e-12;

// Where each unknown sits in the parameter vector (-1: not an unknown).
struct Layout {
    std::vector<int> station;
    std::vector<int> offset;     // per loop
    std::vector<int> drift;      // per loop: index of d_1, then d_2 ...
    std::vector<int> factor;     // per meter
    std::vector<bool> isFactor;  // per unknown
    std::vector<std::string> names;
    int size = 0;
};

// One row of the Jacobian with the model's value at the current unknowns.
struct Row {
    int count = 0;
    std::array<int, 8> index{};
    std::array<double, 8> value{};
    double model = 0.0;

    void add(int i, double v)
    {
        if (i < 0)
            return;
        for (int k = 0; k < count; ++k)
            if (index[k] == i) {
                value[k] += v;
                return;
            }
        index[count] = i;
        value[count++] = v;
    }
};

class Pass {
public:
    Pass(const Network& net, const AdjustOptions& options, const std::vector<bool>& active)
        : m_net(net), m_options(options), m_active(active)
    { }

    PassOutcome run();

private:
    std::string checkStructure();
    void makeLayout();
    double xiOf(int station) const
    {
        return m_net.fixedXi[station] ? *m_net.fixedXi[station] : m_values[m_layout.station[station]];
    }
    Row row(const NetworkObservation& o) const;
    bool factorize(bool holdFactors, std::string& error);

    const Network& m_net;
    const AdjustOptions& m_options;
    const std::vector<bool>& m_active;
    Layout m_layout;
    std::vector<double> m_values;
    Eigen::SparseMatrix<double> m_normal;
    Eigen::VectorXd m_rhs;
    SelectedInverse::Solver m_solver;
};

std::string NameList(const std::vector<std::string>& names)
{
    std::string out;
    const std::size_t shown = std::min<std::size_t>(names.size(), 10);
    for (std::size_t i = 0; i < shown; ++i)
        out += (i ? ", " : "") + names[i];
    if (names.size() > shown)
        out += " and " + std::to_string(names.size() - shown) + " more";
    return out;
}

// Stations in a part of the network that no datum reaches, and loops with
// too few setups for their drift: said by name rather than left to the
// solver to fail on.
std::string Pass::checkStructure()
{
    const std::size_t n = m_net.stations.size();
    std::vector<int> parent(n);
    for (std::size_t i = 0; i < n; ++i)
        parent[i] = static_cast<int>(i);
    const auto find = [&](int i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    const auto join = [&](int a, int b) { parent[find(a)] = find(b); };
    std::vector<bool> anchored(n, false);
    std::vector<int> loopStation(m_net.loops.size(), -1);
    std::vector<std::set<double>> loopTimes(m_net.loops.size());
    for (std::size_t i = 0; i < m_net.observations.size(); ++i) {
        if (!m_active[i])
            continue;
        const NetworkObservation& o = m_net.observations[i];
        if (o.kind == Kind::datum) {
            anchored[o.to] = true;
            continue;
        }
        loopTimes[o.loop].insert(o.tTo);
        if (o.kind == Kind::difference) {
            join(o.from, o.to);
            loopTimes[o.loop].insert(o.tFrom);
        } else if (loopStation[o.loop] < 0) {
            loopStation[o.loop] = o.to;
        } else {
            join(o.to, loopStation[o.loop]);
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (m_net.fixedXi[i])
            anchored[i] = true;
    std::vector<bool> rootAnchored(n, false);
    for (std::size_t i = 0; i < n; ++i)
        if (anchored[i])
            rootAnchored[find(static_cast<int>(i))] = true;
    std::vector<std::string> loose;
    for (std::size_t i = 0; i < n; ++i)
        if (!rootAnchored[find(static_cast<int>(i))])
            loose.push_back(m_net.stations[i]);
    if (!loose.empty())
        return (loose.size() == 1 ? "station " : "stations ") + NameList(loose) + (loose.size() == 1 ? " is" : " are") +
               " not connected to any datum";

    const int degree = m_options.driftDegree;
    const std::size_t needed = static_cast<std::size_t>(
        m_options.model == ObservationModel::readings ? degree + 1 : (degree > 0 ? degree + 1 : 0));
    for (std::size_t l = 0; l < m_net.loops.size(); ++l)
        if (!loopTimes[l].empty() && loopTimes[l].size() < needed)
            return "loop " + m_net.loops[l].name + " has " + std::to_string(loopTimes[l].size()) +
                   " setup time(s): too few for " +
                   (m_options.model == ObservationModel::readings ? "an offset and " : "") + "a drift of degree " +
                   std::to_string(degree);

    if (m_options.calibration) {
        std::set<int> anchors;
        for (std::size_t i = 0; i < n; ++i)
            if (anchored[i])
                anchors.insert(static_cast<int>(i));
        if (anchors.size() < 2)
            return "calibration factors need datums at two stations or more (of different gravity)";
    }
    return {};
}

void Pass::makeLayout()
{
    Layout& L = m_layout;
    L.station.assign(m_net.stations.size(), -1);
    L.offset.assign(m_net.loops.size(), -1);
    L.drift.assign(m_net.loops.size(), -1);
    L.factor.assign(m_net.meters.size(), -1);
    const auto add = [&L](std::string name) {
        L.names.push_back(std::move(name));
        L.isFactor.push_back(false);
        return L.size++;
    };
    const int degree = m_options.driftDegree;
    for (std::size_t i = 0; i < m_net.observations.size(); ++i) {
        if (!m_active[i])
            continue;
        const NetworkObservation& o = m_net.observations[i];
        for (const int s : {o.from, o.to})
            if (s >= 0 && !m_net.fixedXi[s] && L.station[s] < 0)
                L.station[s] = add("the gravity of station " + m_net.stations[s]);
        if (o.kind == Kind::datum)
            continue;
        const NetworkLoop& loop = m_net.loops[o.loop];
        if (m_options.model == ObservationModel::readings && L.offset[o.loop] < 0)
            L.offset[o.loop] = add("the offset of loop " + loop.name);
        if (degree > 0 && L.drift[o.loop] < 0) {
            L.drift[o.loop] = add("the drift of loop " + loop.name);
            for (int p = 2; p <= degree; ++p)
                add("the drift of loop " + loop.name);
        }
        if (m_options.calibration && L.factor[loop.meterIndex] < 0) {
            L.factor[loop.meterIndex] =
                add("the calibration factor of meter " + (loop.meter.empty() ? std::string("(none)") : loop.meter));
            L.isFactor[L.factor[loop.meterIndex]] = true;
        }
    }
}

Row Pass::row(const NetworkObservation& o) const
{
    Row r;
    if (o.kind == Kind::datum) {
        r.model = xiOf(o.to);
        if (!m_net.fixedXi[o.to])
            r.add(m_layout.station[o.to], 1.0);
        return r;
    }
    const int meter = m_net.loops[o.loop].meterIndex;
    const int kIndex = m_layout.factor[meter];
    const double k = kIndex >= 0 ? m_values[kIndex] : 1.0;
    double xi = xiOf(o.to);
    if (!m_net.fixedXi[o.to])
        r.add(m_layout.station[o.to], k);
    if (o.kind == Kind::difference) {
        xi -= xiOf(o.from);
        if (!m_net.fixedXi[o.from])
            r.add(m_layout.station[o.from], -k);
    }
    r.model = k * xi;
    r.add(kIndex, xi);
    if (o.kind == Kind::setup) {
        r.model += m_values[m_layout.offset[o.loop]];
        r.add(m_layout.offset[o.loop], 1.0);
    }
    double powTo = 1.0, powFrom = 1.0;
    for (int p = 1; p <= m_options.driftDegree; ++p) {
        powTo *= o.tTo;
        powFrom *= o.tFrom;
        const double a = o.kind == Kind::difference ? powTo - powFrom : powTo;
        const int index = m_layout.drift[o.loop] + p - 1;
        r.model += m_values[index] * a;
        r.add(index, a);
    }
    return r;
}

// Forms and factorises the normal equations at the current unknowns. With
// holdFactors the calibration factors stay where they are (the first step,
// while every xi is still 0).
bool Pass::factorize(bool holdFactors, std::string& error)
{
    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(m_net.observations.size() * 16);
    m_rhs = Eigen::VectorXd::Zero(m_layout.size);
    for (std::size_t i = 0; i < m_net.observations.size(); ++i) {
        if (!m_active[i])
            continue;
        const NetworkObservation& o = m_net.observations[i];
        const Row r = row(o);
        const double w = 1.0 / (o.sigma * o.sigma);
        for (int a = 0; a < r.count; ++a) {
            const bool heldA = holdFactors && m_layout.isFactor[r.index[a]];
            m_rhs[r.index[a]] += heldA ? 0.0 : w * r.value[a] * (o.observed - r.model);
            for (int b = 0; b < r.count; ++b) {
                const bool heldB = holdFactors && m_layout.isFactor[r.index[b]];
                triplets.emplace_back(r.index[a], r.index[b], heldA || heldB ? 0.0 : w * r.value[a] * r.value[b]);
            }
        }
    }
    if (holdFactors)
        for (const int k : m_layout.factor)
            if (k >= 0)
                triplets.emplace_back(k, k, 1.0);
    m_normal.resize(m_layout.size, m_layout.size);
    m_normal.setFromTriplets(triplets.begin(), triplets.end());
    // The ordering is found again each time: cheap next to the
    // factorisation, and safe should explicit zeros have changed the pattern.
    m_solver.analyzePattern(m_normal);
    m_solver.factorize(m_normal);
    const Eigen::VectorXd diagonal = m_normal.diagonal();
    const auto& D = m_solver.vectorD();
    const auto& perm = m_solver.permutationP().indices();
    int bad = -1;
    if (m_solver.info() != Eigen::Success) {
        bad = 0;
    } else {
        for (int a = 0; a < m_layout.size; ++a) {
            const int j = perm.size() ? perm[a] : a;
            if (!(D[j] > kPivotTolerance * diagonal[a])) {
                bad = a;
                break;
            }
        }
    }
    if (bad >= 0) {
        error = "the network cannot be solved: " +
                (m_solver.info() == Eigen::Success ? m_layout.names[bad] : std::string("an unknown")) +
                " is not determined by the observations (too few setups for the drift degree, a meter "
                "calibrated without datums of different gravity, or a station without a tie)";
        return false;
    }
    return true;
}

PassOutcome Pass::run()
{
    PassOutcome out;
    if (std::string why = checkStructure(); !why.empty()) {
        out.error = why;
        return out;
    }
    makeLayout();
    if (m_layout.size == 0) {
        out.error = "there is nothing to adjust: every station is held fixed";
        return out;
    }
    m_values.assign(m_layout.size, 0.0);
    for (const int k : m_layout.factor)
        if (k >= 0)
            m_values[k] = 1.0;
    const bool calibration = m_options.calibration;
    for (int iteration = 0;; ++iteration) {
        if (!factorize(calibration && iteration == 0, out.error))
            return out;
        const Eigen::VectorXd delta = m_solver.solve(m_rhs);
        if (!delta.allFinite()) {
            out.error = "the network cannot be solved: the solution is not finite";
            return out;
        }
        double largest = 0.0, largestFactor = 0.0;
        for (int a = 0; a < m_layout.size; ++a) {
            m_values[a] += delta[a];
            double& largestOfKind = m_layout.isFactor[a] ? largestFactor : largest;
            largestOfKind = std::max(largestOfKind, std::abs(delta[a]));
        }
        if (!calibration)
            break;
        if (iteration > 0 && largest < 1e-8 && largestFactor < 1e-10) {
            // The statistics belong to the normal equations at the solution.
            if (!factorize(false, out.error))
                return out;
            break;
        }
        if (iteration >= kMaxIterations) {
            out.error = "the calibration factors did not converge";
            return out;
        }
    }

    PassSolution s;
    const SelectedInverse q(m_solver);
    const std::size_t n = m_net.observations.size();
    s.residual.assign(n, 0.0);
    s.redundancy.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        if (!m_active[i])
            continue;
        const NetworkObservation& o = m_net.observations[i];
        const Row r = row(o);
        const double w = 1.0 / (o.sigma * o.sigma);
        const double v = r.model - o.observed;
        double qa = 0.0;
        for (int a = 0; a < r.count; ++a)
            for (int b = 0; b < r.count; ++b)
                qa += r.value[a] * r.value[b] * q.at(r.index[a], r.index[b]);
        if (!std::isfinite(qa) || !std::isfinite(v)) {
            out.error = "the network cannot be solved: a cofactor is not finite";
            return out;
        }
        s.residual[i] = v;
        s.redundancy[i] = std::clamp(1.0 - w * qa, 0.0, 1.0);
        s.chi2 += w * v * v;
        ++s.observations;
    }
    s.unknowns = m_layout.size;
    const auto valueAndQ = [&](int index, double& value, double& cofactor) {
        value = m_values[index];
        cofactor = std::max(0.0, q.at(index, index));
    };
    s.xi.assign(m_net.stations.size(), 0.0);
    s.xiSd2.assign(m_net.stations.size(), 0.0);
    for (std::size_t i = 0; i < m_net.stations.size(); ++i) {
        if (m_net.fixedXi[i])
            s.xi[i] = *m_net.fixedXi[i];
        else if (m_layout.station[i] >= 0)
            valueAndQ(m_layout.station[i], s.xi[i], s.xiSd2[i]);
    }
    s.drift.resize(m_net.loops.size());
    s.driftQ.resize(m_net.loops.size());
    s.offset.resize(m_net.loops.size());
    s.offsetQ.resize(m_net.loops.size());
    for (std::size_t l = 0; l < m_net.loops.size(); ++l) {
        if (m_layout.drift[l] >= 0)
            for (int p = 0; p < m_options.driftDegree; ++p) {
                double value = 0.0, cofactor = 0.0;
                valueAndQ(m_layout.drift[l] + p, value, cofactor);
                s.drift[l].push_back(value);
                s.driftQ[l].push_back(cofactor);
            }
        if (m_layout.offset[l] >= 0) {
            double value = 0.0, cofactor = 0.0;
            valueAndQ(m_layout.offset[l], value, cofactor);
            s.offset[l] = value;
            s.offsetQ[l] = cofactor;
        }
    }
    s.factor.resize(m_net.meters.size());
    s.factorQ.resize(m_net.meters.size());
    for (std::size_t m = 0; m < m_net.meters.size(); ++m)
        if (m_layout.factor[m] >= 0) {
            double value = 0.0, cofactor = 0.0;
            valueAndQ(m_layout.factor[m], value, cofactor);
            s.factor[m] = value;
            s.factorQ[m] = cofactor;
        }
    out.solution = std::move(s);
    return out;
}

}  // namespace

PassOutcome SolveNetwork(const Network& network, const AdjustOptions& options, const std::vector<bool>& active)
{
    return Pass(network, options, active).run();
}

}  // namespace bramble
