// The ocean-loading model against series computed with the IERS program
// (HARDISP) from the same BLQ blocks, and its behaviour on blocks whose
// answer is known without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>

#include "oceanload/BlqReader.h"
#include "oceanload/OceanLoadModel.h"
#include "survey/DateTime.h"

using namespace bramble;

namespace {

const std::string kData = BRAMBLE_TEST_DATA "/oceanload/";

BlqBlock ReadOnlyBlock(const std::string& path)
{
    const BlqReadResult read = ReadBlqFile(path);
    EXPECT_TRUE(read.Succeeded()) << read.ErrorText();
    if (!read.HasValue() || read.Value().empty())
        return {};
    EXPECT_EQ(read.Value().size(), 1u);
    return read.Value().front();
}

// "YYYY-MM-DD hh:mm:ss,value" lines after a header line.
std::vector<std::pair<double, double>> ReadReferenceSeries(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<std::pair<double, double>> series;
    while (std::getline(in, line)) {
        int y, mo, d, h, mi, s;
        double value;
        if (std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d,%lf", &y, &mo, &d, &h, &mi, &s, &value) == 7)
            series.emplace_back(DateTime::fromParts(y, mo, d, h, mi, s).value(), value);
    }
    return series;
}

class ReferenceStation : public testing::TestWithParam<std::string> { };

TEST_P(ReferenceStation, AgreesWithTheIersProgram)
{
    const OceanLoadModel model(ReadOnlyBlock(kData + GetParam() + ".blq"));
    const auto series = ReadReferenceSeries(kData + GetParam() + ".csv");
    ASSERT_EQ(series.size(), 7u * 144u);
    double sumSquares = 0.0, largest = 0.0, range = 0.0;
    for (const auto& [day, expected] : series) {
        const double difference = model.CorrectionMicroGal(day) - expected;
        sumSquares += difference * difference;
        largest = std::max(largest, std::abs(difference));
        range = std::max(range, std::abs(expected));
    }
    const double rms = std::sqrt(sumSquares / static_cast<double>(series.size()));
    std::printf("%s: RMS %.4f, max %.4f microGal (loading up to %.1f)\n", GetParam().c_str(), rms, largest, range);
    EXPECT_LE(rms, 0.005);
    EXPECT_LE(largest, 0.015);
    EXPECT_GT(range, 5.0);  // the comparison is not of small numbers
}

INSTANTIATE_TEST_SUITE_P(Hawaii, ReferenceStation, testing::Values("HVO10", "109YY"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// Share of the power of an hourly series below 1.5 cycles per day, from its
// Hann-windowed discrete Fourier transform.
double PowerShareBelowSemidiurnal(const std::vector<double>& hourly)
{
    const std::size_t n = hourly.size();
    double low = 0.0, total = 0.0;
    for (std::size_t k = 0; k <= n / 2; ++k) {
        std::complex<double> sum;
        for (std::size_t i = 0; i < n; ++i) {
            const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / n);
            sum += window * hourly[i] * std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k * i % n) / n);
        }
        const double power = std::norm(sum);
        total += power;
        if (static_cast<double>(k) * 24.0 / static_cast<double>(n) < 1.5)
            low += power;
    }
    return low / total;
}

std::vector<double> HourlySeries(const BlqBlock& block, int days)
{
    const OceanLoadModel model(block);
    const double start = DateTime::fromParts(2024, 3, 1).value();
    std::vector<double> series;
    for (int hour = 0; hour < days * 24; ++hour)
        series.push_back(model.CorrectionMicroGal(start + hour / 24.0));
    return series;
}

TEST(OceanLoadModel, SemidiurnalParametersGiveAPurelySemidiurnalSeries)
{
    BlqBlock block = ReadOnlyBlock(kData + "HVO10.blq");
    const std::vector<double> full = HourlySeries(block, 60);
    for (std::size_t k = 4; k < block.amplitudes.size(); ++k)  // all but M2 S2 N2 K2
        block.amplitudes[k] = 0.0;
    const std::vector<double> semidiurnal = HourlySeries(block, 60);
    EXPECT_LT(PowerShareBelowSemidiurnal(semidiurnal), 1e-6);
    EXPECT_GT(PowerShareBelowSemidiurnal(full), 0.1);  // the measure does see the diurnal waves
    EXPECT_GT(*std::max_element(semidiurnal.begin(), semidiurnal.end()), 5.0);
}

TEST(OceanLoadModel, ZeroAmplitudesGiveZero)
{
    BlqBlock block = ReadOnlyBlock(kData + "109YY.blq");
    block.amplitudes.fill(0.0);
    const OceanLoadModel model(block);
    EXPECT_EQ(model.termCount(), 0u);
    for (double day : {0.0, 26000.5, 45352.25, 60000.75})
        EXPECT_EQ(model.CorrectionMicroGal(day), 0.0);
}

}  // namespace
