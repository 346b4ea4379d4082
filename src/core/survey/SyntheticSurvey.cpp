#include "survey/SyntheticSurvey.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "survey/DateTime.h"

namespace bramble {
namespace {

constexpr double kStart = 43536.375;  // 2019-03-12 09:00:00

struct Sample {
    int station;
    double gravity;
    double sd;
    int tiltX, tiltY;
    double temp, etc;
};

class Walk {
public:
    explicit Walk(std::uint32_t seed) : m_rng(seed) { }
    Sample next(std::int64_t i)
    {
        std::uniform_real_distribution<double> noise(-0.01, 0.01);
        std::uniform_int_distribution<int> tilt(-9, 9);
        const int station = static_cast<int>(i % 37) + 100;
        const double drift = 0.0004 * static_cast<double>(i % 1440);
        return {station,
                2400.0 + (station - 100) * 1.732 + drift + noise(m_rng),
                0.02 + 0.01 * noise(m_rng) * 50,
                tilt(m_rng),
                tilt(m_rng),
                -0.5 + noise(m_rng) * 20,
                0.1 * noise(m_rng) * 50};
    }

private:
    std::mt19937 m_rng;
};

}  // namespace

void SyntheticSurvey::WriteScintrex(std::ostream& out) const
{
    const char* eol = crlf ? "\r\n" : "\n";
    Walk walk(seed);
    char line[160];
    for (std::int64_t i = 0; i < readings; ++i) {
        const std::int64_t block = i / readingsPerBlock;
        const std::int64_t inBlock = i % readingsPerBlock;
        const double day = kStart + static_cast<double>(block);
        if (inBlock == 0) {
            if (block > 0)
                out << "-------------------------------------------------------" << eol;
            const DateTime date(std::floor(day));
            out << "SCINTREX V4.1        AUTOGRAV / Field Mode        R4.4" << eol
                << "Cycle Time:      60.     Ser No:     9911." << eol
                << "Line:       0.    Grid:       0.    Job:       " << block % 100
                << ".    Date: " << date.format("%y/%m/%d") << "    Operator:   42." << eol
                << "GREF.:         0.   mGals          Tilt x sensit.:    275.813" << eol
                << "GCAL.1:     6183.270                Tilt y sensit.:    268.104" << eol
                << "GCAL.2:        0.                  Deg.Lat.:    40.03" << eol
                << "TEMPCO.:      -0.1287   mGal/mK    Deg.Long.:    105.05" << eol
                << "Drift const.:     0.412            GMT Difference:      0.hr" << eol
                << "Drift Correction Start   Time: 08:12:30      Cal.after x samples:   12" << eol
                << "                         Date: " << date.format("%y/%m/%d")
                << "      On-Line Tilt Corrected = \"*\"" << eol
                << "  Station   Grav.     SD.   Tilt x  Tilt y  Temp.   E.T.C.  Dur # Rej   Time" << eol;
        }
        const Sample s = walk.next(i);
        // One reading a minute, wrapping at midnight within a long block.
        const DateTime when(day + static_cast<double>(inBlock % 1440) / 1440.0);
        std::snprintf(line, sizeof line, "%7d.%10.3f%7.3f%7d.%6d.%7.2f%8.3f%5d%4d  %s", s.station, s.gravity, s.sd,
                      s.tiltX, s.tiltY, s.temp, s.etc, 60, static_cast<int>(i % 3), when.format("%H:%M:%S").c_str());
        out << line << eol;
    }
    out << "-------------------------------------------------------" << eol;
}

void SyntheticSurvey::WriteAliod(std::ostream& out) const
{
    const char* eol = crlf ? "\r\n" : "\n";
    Walk walk(seed);
    char line[160];
    for (std::int64_t i = 0; i < readings; ++i) {
        const Sample s = walk.next(i);
        const DateTime when(kStart + static_cast<double>(i) / 1440.0);
        std::snprintf(line, sizeof line, "ST-%d, %s, %.4f, %d, %d, %.2f, %.4f", s.station,
                      when.format("%Y-%m-%d %H:%M:%S").c_str(), s.gravity + 1600.0, s.tiltX, s.tiltY, 35.0 + s.temp,
                      0.998 + s.etc / 100);
        out << line;
        if (i % 2)
            out << ", " << 17 + i % 5;
        out << eol;
    }
}

}  // namespace bramble
