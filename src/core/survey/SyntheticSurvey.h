#pragma once

#include <cstdint>
#include <ostream>

namespace bramble {

// Writes realistic meter files of any size, for benchmarks and for
// round-trip tests of the readers: a station loop with slowly drifting
// gravity, one reading a minute, CG-3 blocks of `readingsPerBlock`
// readings (each block starting on a new day), and LF or CR LF line ends.
struct SyntheticSurvey {
    std::int64_t readings = 1000;
    int readingsPerBlock = 500;
    bool crlf = true;
    std::uint32_t seed = 1;

    void WriteScintrex(std::ostream& out) const;
    void WriteAliod(std::ostream& out) const;
};

}  // namespace bramble
