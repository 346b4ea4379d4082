#include <cstdio>

#include "adjust/AdjustOutput.h"
#include "adjust/TextFields.h"
#include "output/StringPrintf.h"
#include "survey/DateTime.h"

namespace bramble {
namespace {

// Through the program's one printf, which never prints a negative zero.
std::string Format(const char* format, double value) { return StringPrintf(format, value); }

std::string Padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string ObservationLine(const ObservationResult& o)
{
    std::string what;
    switch (o.kind) {
    case ObservationResult::Kind::setup:
        what = o.to;
        break;
    case ObservationResult::Kind::difference:
        what = o.from + " -> " + o.to;
        break;
    case ObservationResult::Kind::datum:
        what = "datum " + o.to;
        break;
    }
    return Padded(o.loop.empty() ? "-" : o.loop, 18) + Padded(what, 22) + Format("%14.4f", o.observed) +
           Format("%10.4f", o.sigma) + Format("%11.4f", o.residual) + Format("%8.3f", o.redundancy) +
           (o.standardized ? Format("%9.2f", *o.standardized) : std::string("        -")) +
           (o.outlier ? "  OUTLIER" : "") + "\n";
}

const char* kObservationHeader =
    "loop              observation                 observed     sigma   residual  redund.   w\n";

}  // namespace

std::string AdjustmentStationCsv(const AdjustmentResult& r)
{
    std::string out = "station,g,sd,setups\n";
    for (const StationResult& s : r.stations)
        out += CsvField(s.station) + Format(",%.4f", s.gravity) + Format(",%.4f", s.sd) + "," +
               std::to_string(s.setups) + "\n";
    return out;
}

std::string AdjustmentReport(const AdjustmentResult& r, const std::vector<std::string>& warnings)
{
    std::string out = "Network adjustment\n\n";
    out += std::string("Model: ") + ModelName(r.model) + ", drift polynomial of degree " +
           std::to_string(r.driftDegree) + " per loop, " +
           (r.calibration.empty() ? "no calibration factors" : "calibration factors estimated") + "\n";
    out += "Observations " + std::to_string(r.observations) + ", unknowns " + std::to_string(r.unknowns) +
           ", degrees of freedom " + std::to_string(r.dof) + "\n";
    out += "chi2 (v'Pv) " + Format("%.4f", r.chi2) + ", s0 " + (r.s0 ? Format("%.4f", *r.s0) : "undefined") + "\n";
    if (r.chi2Test)
        out += "Global chi2 test, two-sided at alpha " + Format("%g", r.alpha) + ": " +
               Format("%.4f", r.chi2Test->lower) + " <= chi2 <= " + Format("%.4f", r.chi2Test->upper) + ": " +
               (r.chi2Test->passed ? "passed" : "FAILED") + "\n";
    else
        out += "Global chi2 test: not possible without redundancy\n";
    out += std::string("Station SDs: ") + (r.aPriori || !r.s0 ? "a-priori" : "a-posteriori (scaled by s0)") + "\n";
    out += "Outlier test (Pope's tau): " +
           (r.tauCritical ? "critical value " + Format("%.4f", *r.tauCritical) : std::string("not possible")) + "\n";

    out += "\nStations (mGal)\nstation                     gravity        sd  setups\n";
    for (const StationResult& s : r.stations)
        out += Padded(s.station, 22) + Format("%14.4f", s.gravity) + Format("%10.4f", s.sd) +
               Format("%8.0f", s.setups) + (s.fixed ? "  fixed" : "") + "\n";

    out += "\nDrift per loop (coefficients in mGal/day^k, t in days from the loop's first setup)\n";
    for (const DriftResult& d : r.drift) {
        out += Padded(d.loop, 18) + "from " + DateTime(d.firstTime).format("%Y-%m-%d %H:%M:%S");
        if (d.offset)
            out += "  offset " + Format("%.4f", *d.offset) + " +- " + Format("%.4f", *d.offsetSd);
        for (std::size_t k = 0; k < d.coefficients.size(); ++k)
            out += "  d" + std::to_string(k + 1) + " " + Format("%.5f", d.coefficients[k]) + " +- " +
                   Format("%.5f", d.sd[k]);
        out += "\n";
    }
    if (!r.calibration.empty()) {
        out += "\nCalibration factors\n";
        for (const CalibrationResult& c : r.calibration)
            out += Padded(c.meter.empty() ? "(no meter)" : c.meter, 22) + Format("%.6f", c.factor) + " +- " +
                   Format("%.6f", c.sd) + "\n";
    }
    out += "\nObservations (mGal; residual = adjusted - observed; w standardized residual)\n";
    out += kObservationHeader;
    for (const ObservationResult& o : r.observationResults)
        out += ObservationLine(o);
    if (!r.removed.empty()) {
        out +=
            "\nRemoved as outliers, in order (values as they stood when removed)\n" + std::string(kObservationHeader);
        for (const ObservationResult& o : r.removed)
            out += ObservationLine(o);
    }
    if (!warnings.empty()) {
        out += "\nWarnings\n";
        for (const std::string& w : warnings)
            out += "- " + w + "\n";
    }
    return out;
}

}  // namespace bramble
