#include "adjust/Adjustment.h"

#include <cmath>
#include <exception>
#include <new>

#include "adjust/Network.h"
#include "adjust/NetworkSolver.h"
#include "adjust/TestStatistics.h"

namespace bramble {

const char* ModelName(ObservationModel model)
{
    return model == ObservationModel::readings ? "readings" : "differences";
}

namespace {

// Redundancy below this is taken as none: the residual is then 0 by
// construction and cannot be tested.
constexpr double kNoRedundancy = 1e-10;

AdjustmentResult MakeResult(const Network& net, const PassSolution& s, const AdjustOptions& options,
                            const std::vector<bool>& active)
{
    AdjustmentResult r;
    r.model = options.model;
    r.driftDegree = options.driftDegree;
    r.alpha = options.alpha;
    r.aPriori = options.aPriori;
    r.observations = s.observations;
    r.unknowns = s.unknowns;
    r.dof = s.observations - s.unknowns;
    r.chi2 = s.chi2;
    if (r.dof > 0) {
        r.s0 = std::sqrt(s.chi2 / r.dof);
        const ChiSquareBounds b = GlobalTestBounds(r.dof, options.alpha);
        r.chi2Test = GlobalTestResult{b.lower, b.upper, b.lower <= s.chi2 && s.chi2 <= b.upper};
    }
    if (r.dof >= 2)
        r.tauCritical = TauCritical(r.dof, s.observations, options.alpha);
    const double scale = options.aPriori || !r.s0 ? 1.0 : *r.s0;

    for (std::size_t i = 0; i < net.stations.size(); ++i) {
        StationResult st;
        st.station = net.stations[i];
        st.gravity = net.reference + s.xi[i];
        st.sd = scale * std::sqrt(s.xiSd2[i]);
        st.setups = net.setupCount[i];
        st.fixed = net.fixedXi[i].has_value();
        st.latitude = net.latitude[i];
        st.longitude = net.longitude[i];
        r.stations.push_back(std::move(st));
    }
    for (std::size_t l = 0; l < net.loops.size(); ++l) {
        DriftResult d;
        d.loop = net.loops[l].name;
        d.meter = net.loops[l].meter;
        d.firstTime = net.loops[l].firstTime;
        d.coefficients = s.drift[l];
        for (const double q : s.driftQ[l])
            d.sd.push_back(scale * std::sqrt(q));
        if (s.offset[l]) {
            d.offset = s.offset[l];
            d.offsetSd = scale * std::sqrt(*s.offsetQ[l]);
        }
        r.drift.push_back(std::move(d));
    }
    for (std::size_t m = 0; m < net.meters.size(); ++m)
        if (s.factor[m])
            r.calibration.push_back({net.meters[m], *s.factor[m], scale * std::sqrt(*s.factorQ[m])});

    using NKind = NetworkObservation::Kind;
    using RKind = ObservationResult::Kind;
    for (std::size_t i = 0; i < net.observations.size(); ++i) {
        if (!active[i])
            continue;
        const NetworkObservation& o = net.observations[i];
        ObservationResult res;
        res.kind = o.kind == NKind::setup        ? RKind::setup
                   : o.kind == NKind::difference ? RKind::difference
                                                 : RKind::datum;
        res.to = net.stations[o.to];
        if (o.kind == NKind::datum) {
            res.datumSource = net.datums[o.datum].source;
            res.observed = o.observed + net.reference;
        } else {
            res.loop = net.loops[o.loop].name;
            res.observed = o.observed;
            if (o.kind == NKind::difference) {
                res.from = net.stations[o.from];
                res.setups = {o.setupFrom, o.setupTo};
            } else {
                res.setups = {o.setupTo};
            }
        }
        res.sigma = o.sigma;
        res.residual = s.residual[i];
        res.redundancy = s.redundancy[i];
        if (r.s0 && *r.s0 > 0.0 && res.redundancy > kNoRedundancy) {
            res.standardized = res.residual / (*r.s0 * o.sigma * std::sqrt(res.redundancy));
            res.outlier = r.tauCritical && std::abs(*res.standardized) > *r.tauCritical;
        }
        r.observationResults.push_back(std::move(res));
    }
    return r;
}

std::string Describe(const ObservationResult& o)
{
    switch (o.kind) {
    case ObservationResult::Kind::setup:
        return "the setup of station " + o.to + " in loop " + o.loop;
    case ObservationResult::Kind::difference:
        return "the difference " + o.from + " -> " + o.to + " in loop " + o.loop;
    case ObservationResult::Kind::datum:
        break;
    }
    return "the datum of station " + o.to;
}

AdjustOutcome AdjustOrThrow(const std::vector<Setup>& setups, const std::vector<Datum>& datums,
                            const AdjustOptions& options, const AdjustProgress& progress)
{
    AdjustOutcome out;
    if (options.driftDegree < 0 || options.driftDegree > 3) {
        out.AddError("the drift degree must be 0 to 3");
        return out;
    }
    if (!(options.alpha > 0.0 && options.alpha < 1.0)) {
        out.AddError("alpha must lie between 0 and 1");
        return out;
    }
    NetworkBuild build = BuildNetwork(setups, datums, options);
    for (std::string& warning : build.warnings)
        out.AddWarning(std::move(warning));
    if (!build.network) {
        out.AddError(build.error);
        return out;
    }
    const Network& net = *build.network;
    std::vector<bool> active(net.observations.size(), true);
    std::vector<ObservationResult> removed;
    for (int passNumber = 1;; ++passNumber) {
        if (progress && !progress(passNumber, static_cast<int>(removed.size()))) {
            return Outcome::Error(kAdjustmentCancelled);
        }
        PassOutcome pass = SolveNetwork(net, options, active);
        if (!pass.solution) {
            if (!out.HasValue()) {
                out.AddError(pass.error);
                return out;
            }
            // The last removal left the network unsolvable: keep the
            // adjustment before it.
            out.AddWarning(Describe(removed.back()) + " is flagged but stays: without it " + pass.error);
            removed.pop_back();
            out.Value().removed = removed;
            break;
        }
        out.SetValue(MakeResult(net, *pass.solution, options, active));
        out.Value().removed = removed;
        if (!options.removeOutliers)
            break;
        // The worst flagged observation, by |w|.
        int worst = -1;
        double worstW = 0.0;
        std::size_t k = 0;
        std::vector<std::size_t> indexOf;
        for (std::size_t i = 0; i < active.size(); ++i)
            if (active[i])
                indexOf.push_back(i);
        for (const ObservationResult& o : out.Value().observationResults) {
            if (o.outlier && std::abs(*o.standardized) > worstW) {
                worstW = std::abs(*o.standardized);
                worst = static_cast<int>(k);
            }
            ++k;
        }
        if (worst < 0)
            break;
        removed.push_back(out.Value().observationResults[worst]);
        active[indexOf[worst]] = false;
    }
    if (out.HasValue() && out.Value().dof == 0)
        out.AddWarning("the network has no redundancy (0 degrees of freedom): no s0, no tests, a-priori SDs");
    else if (out.HasValue() && out.Value().dof == 1)
        out.AddWarning("1 degree of freedom: the outlier test needs 2 or more");
    return out;
}

}  // namespace

AdjustOutcome Adjust(const std::vector<Setup>& setups, const std::vector<Datum>& datums, const AdjustOptions& options,
                     const AdjustProgress& progress)
{
    try {
        return AdjustOrThrow(setups, datums, options, progress);
    } catch (const std::bad_alloc&) {
        return Outcome::Error("not enough memory for the adjustment");
    } catch (const std::exception& e) {
        return Outcome::Error(std::string("the adjustment failed: ") + e.what());
    }
}

}  // namespace bramble
