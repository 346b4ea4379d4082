#pragma once

// The tidal spectrum of the ocean-loading model (OceanLoadModel.h): the
// constituents of the degree-2 tidal potential and the eleven of them whose
// loading a BLQ block gives.

#include <array>
#include <cstddef>
#include <cstdint>

namespace bramble::oceanload {

// Multiples of the six Doodson arguments tau, s, h, p, N', ps (in that
// order) in a constituent's argument; the first is the species: 0 long
// period, 1 diurnal, 2 semidiurnal.
using DoodsonNumbers = std::array<std::int8_t, 6>;

struct TidalConstituent {
    DoodsonNumbers doodson;
    double amplitude;  // Cartwright-Tayler-Edden amplitude H, signed
};

inline constexpr std::size_t kTidalConstituentCount = 342;

// The largest multiple of each argument in the table (checked where the
// table is defined), so that an epoch needs only these multiples.
inline constexpr std::array<int, 6> kMaxDoodsonMultiple = {2, 6, 5, 4, 3, 2};

const std::array<TidalConstituent, kTidalConstituentCount>& TidalConstituents();

// The columns of a BLQ block, in the provider's column order.
struct BlqConstituent {
    const char* name;
    DoodsonNumbers doodson;
};

inline constexpr std::size_t kBlqColumnCount = 11;

inline constexpr std::array<BlqConstituent, kBlqColumnCount> kBlqConstituents = {{
    {"M2", {2, 0, 0, 0, 0, 0}},
    {"S2", {2, 2, -2, 0, 0, 0}},
    {"N2", {2, -1, 0, 1, 0, 0}},
    {"K2", {2, 2, 0, 0, 0, 0}},
    {"K1", {1, 1, 0, 0, 0, 0}},
    {"O1", {1, -1, 0, 0, 0, 0}},
    {"P1", {1, 1, -2, 0, 0, 0}},
    {"Q1", {1, -2, 0, 1, 0, 0}},
    {"MF", {0, 2, 0, 0, 0, 0}},
    {"MM", {0, 1, 0, -1, 0, 0}},
    {"SSA", {0, 0, 2, 0, 0, 0}},
}};

}  // namespace bramble::oceanload
