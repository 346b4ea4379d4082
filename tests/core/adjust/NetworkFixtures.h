#pragma once

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "adjust/Datum.h"
#include "adjust/Setup.h"
#include "survey/DateTime.h"

namespace bramble::test {

// A generated campaign with known truth: stations of known gravity visited
// in loops by meters with a calibration factor and a linear drift, plus
// Gaussian reading noise of `noise` mGal (seeded, so the same every run).
struct GeneratedNetwork {
    std::vector<double> truth;      // per station, mGal
    std::vector<double> factor;     // per meter
    std::vector<double> driftRate;  // per loop, mGal/day
    std::vector<Setup> setups;
};

inline std::string StationName(int i) { return std::string("S").append(std::to_string(i)); }

inline GeneratedNetwork GenerateNetwork(int stations, int loops, int visitsPerLoop, double noise, unsigned seed = 7)
{
    GeneratedNetwork net;
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::uniform_int_distribution<int> pick(0, stations - 1);
    for (int s = 0; s < stations; ++s)
        net.truth.push_back(979000.0 + 10.0 * std::sin(1.3 * s) + 0.5 * s);
    net.factor = {1.0012, 0.9985};
    const double start = DateTime::fromParts(2021, 5, 3, 7).value();
    for (int l = 0; l < loops; ++l) {
        const int meter = l % 2;
        const double rate = 0.05 + 0.02 * l;  // mGal/day
        net.driftRate.push_back(rate);
        const double t0 = start + l;  // one loop a day
        const double offset = 2000.0 + 100.0 * meter;
        int station = l % stations;
        for (int v = 0; v < visitsPerLoop; ++v) {
            if (v > 0)
                station = (v == visitsPerLoop - 1) ? l % stations : pick(random);  // back to the base
            const double t = v * (20.0 / 1440.0);
            Setup s;
            s.loop = std::string("L").append(std::to_string(l));
            s.station = StationName(station);
            s.meter = meter == 0 ? "M1" : "M2";
            s.time = t0 + t;
            s.sd = noise;
            s.gravity = offset + net.factor[meter] * (net.truth[station] - 979000.0) + rate * t + noise * gauss(random);
            net.setups.push_back(s);
        }
    }
    return net;
}

}  // namespace bramble::test
