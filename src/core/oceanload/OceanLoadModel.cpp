#include "oceanload/OceanLoadModel.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

#include "oceanload/BandInterpolator.h"
#include "oceanload/DoodsonArguments.h"

namespace bramble {
namespace {

using oceanload::BandInterpolator;
using oceanload::DoodsonNumbers;

constexpr double kMicroGalPerNmS2 = 0.1;
constexpr double kPhaseOffsetDeg[3] = {180.0, 90.0, 0.0};  // long period, diurnal, semidiurnal

// Band of a frequency in cycles per day: 0 long period, 1 diurnal, 2 semidiurnal.
int BandOf(double frequencyCpd) { return frequencyCpd < 0.5 ? 0 : frequencyCpd < 1.5 ? 1 : 2; }

// The admittance interpolators of the three bands, real and imaginary part.
struct BandAdmittance {
    BandInterpolator real, imag;
};

std::vector<BandAdmittance> InputAdmittance(const BlqBlock& block, const oceanload::DoodsonArguments& rates)
{
    const auto& table = oceanload::TidalConstituents();
    struct Input {
        double frequency;
        std::complex<double> z;
    };
    std::vector<Input> inputs;
    for (std::size_t k = 0; k < oceanload::kBlqColumnCount; ++k) {
        const DoodsonNumbers& doodson = oceanload::kBlqConstituents[k].doodson;
        const auto row = std::find_if(table.begin(), table.end(),
                                      [&](const oceanload::TidalConstituent& c) { return c.doodson == doodson; });
        if (row == table.end())
            throw std::logic_error("a BLQ constituent is missing from the tidal constituents");
        // Lags are positive: the phase enters with a minus sign.
        inputs.push_back({oceanload::Combine(doodson, rates), std::polar(block.amplitudes[k] / std::abs(row->amplitude),
                                                                         -block.phaseLagsDeg[k] * tide::kRad)});
    }
    std::sort(inputs.begin(), inputs.end(), [](const Input& a, const Input& b) { return a.frequency < b.frequency; });

    std::vector<BandAdmittance> bands;
    for (int band = 0; band < 3; ++band) {
        std::vector<double> x, re, im;
        for (const Input& in : inputs) {
            if (BandOf(in.frequency) != band)
                continue;
            x.push_back(in.frequency);
            re.push_back(in.z.real());
            im.push_back(in.z.imag());
        }
        bands.push_back({BandInterpolator(x, re), BandInterpolator(x, im)});
    }
    return bands;
}

}  // namespace

OceanLoadModel::OceanLoadModel(const BlqBlock& block)
{
    // The admittance hardly changes with the century: the frequencies of J2000 serve every epoch.
    const oceanload::DoodsonArguments rates = oceanload::DoodsonRatesCpd(0.0);
    const std::vector<BandAdmittance> bands = InputAdmittance(block, rates);
    for (const oceanload::TidalConstituent& c : oceanload::TidalConstituents()) {
        const int species = c.doodson[0];
        const double frequency = oceanload::Combine(c.doodson, rates);
        const std::complex<double> z(bands[species].real(frequency), bands[species].imag(frequency));
        const double amplitude = c.amplitude * std::abs(z) * kMicroGalPerNmS2;
        if (amplitude == 0.0)
            continue;
        const double phaseDeg = kPhaseOffsetDeg[species] + std::arg(z) / tide::kRad;
        m_terms.push_back(
            {c.doodson, {amplitude * std::cos(phaseDeg * tide::kRad), amplitude * std::sin(phaseDeg * tide::kRad)}});
    }
}

double OceanLoadModel::CorrectionMicroGal(double dayNumberUtc) const
{
    const oceanload::DoodsonArguments arguments = oceanload::DoodsonArgumentsAt(dayNumberUtc);
    using oceanload::kMaxDoodsonMultiple;
    const tide::Multiples<kMaxDoodsonMultiple[0]> tau(tide::FromDeg(arguments[0]));
    const tide::Multiples<kMaxDoodsonMultiple[1]> s(tide::FromDeg(arguments[1]));
    const tide::Multiples<kMaxDoodsonMultiple[2]> h(tide::FromDeg(arguments[2]));
    const tide::Multiples<kMaxDoodsonMultiple[3]> p(tide::FromDeg(arguments[3]));
    const tide::Multiples<kMaxDoodsonMultiple[4]> np(tide::FromDeg(arguments[4]));
    const tide::Multiples<kMaxDoodsonMultiple[5]> ps(tide::FromDeg(arguments[5]));
    double sum = 0.0;
    for (const Term& term : m_terms) {
        const auto& d = term.doodson;
        const tide::Phasor argument = tide::Mul(tide::Mul(tide::Mul(tau[d[0]], s[d[1]]), tide::Mul(h[d[2]], p[d[3]])),
                                                tide::Mul(np[d[4]], ps[d[5]]));
        // Re(coefficient * e^(i argument)) = a cos(argument + phase).
        sum += term.coefficient.c * argument.c - term.coefficient.s * argument.s;
    }
    return sum;
}

}  // namespace bramble
