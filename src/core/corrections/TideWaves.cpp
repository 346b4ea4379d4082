#include "corrections/TideWaves.h"

#include "corrections/TideStation.h"

namespace bramble::tide {
namespace {

// Per wave, the correction per unit F21 in microGal:
// (delta_wave - delta21) * coefficient * 1e-10 m^2/s^2 / a * 1e8.
struct WaveAmplitude {
    double sine, cosine;
};

constexpr std::array<WaveAmplitude, kResonanceWaves.size()> MakeAmplitudes()
{
    std::array<WaveAmplitude, kResonanceWaves.size()> a{};
    for (std::size_t i = 0; i < kResonanceWaves.size(); ++i) {
        const ResonanceWave& w = kResonanceWaves[i];
        const double scale = ResonanceFactorShift(w.frequencyDegPerHour) * 1e-2 / kCatalogueRadiusM;
        a[i] = {scale * w.sineCoefficient, scale * w.cosineCoefficient};
    }
    return a;
}

constexpr std::array<WaveAmplitude, kResonanceWaves.size()> kAmplitudes = MakeAmplitudes();

}  // namespace

MeanElements MeanElementsAt(double t)
{
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    return {
        218.3166456300 + 481267.8811957500 * t - 0.0014663889 * t2 + 0.0000018514 * t3 - 0.0000000153 * t4,
        280.46645016 + 36000.7697488056 * t + 0.000303222222 * t2 + 2.0e-8 * t3 - 6.53611e-9 * t4,
        83.35324312 + 4069.01363525 * t - 0.0103217222 * t2 - 1.24916667e-5 * t3 + 5.263333e-8 * t4,
        234.95544499 + 1934.13626197222 * t - 0.002075611111 * t2 - 2.1394444e-6 * t3 + 1.649722e-8 * t4,
        282.93734098 + 1.71945766666 * t + 0.000456888889 * t2 - 1.77778e-8 * t3 - 3.34444e-9 * t4,
    };
}

double ResonanceSignalMicroGal(double t, Phasor localSidereal, double stationFunction21)
{
    const MeanElements e = MeanElementsAt(t);
    // tau = GMST + lambda + 180 - s, so a wave's argument is
    // kTau (GMST + lambda + 180) + (kS - kTau) s + kH h + ...
    const Multiples<2> rotation({-localSidereal.c, -localSidereal.s});
    const Multiples<2> s(FromDeg(e.s));
    const Multiples<3> h(FromDeg(e.h));
    const Multiples<1> p(FromDeg(e.p));
    const Multiples<2> np(FromDeg(e.np));
    const Multiples<1> ps(FromDeg(e.ps));
    double sum = 0.0;
    for (std::size_t i = 0; i < kResonanceWaves.size(); ++i) {
        const ResonanceWave& w = kResonanceWaves[i];
        const Phasor arg =
            Mul(Mul(Mul(rotation[w.kTau], s[w.kS - w.kTau]), Mul(h[w.kH], p[w.kP])), Mul(np[w.kNp], ps[w.kPs]));
        sum += kAmplitudes[i].sine * arg.s + kAmplitudes[i].cosine * arg.c;
    }
    return -stationFunction21 * sum;
}

}  // namespace bramble::tide
