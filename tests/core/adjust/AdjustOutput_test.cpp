#include "adjust/AdjustOutput.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "adjust/Adjustment.h"
#include "adjust/SetupsCsv.h"

namespace bramble {
namespace {

AdjustmentResult HandResult(ObservationModel model)
{
    AdjustOptions options;
    options.model = model;
    options.driftDegree = model == ObservationModel::readings ? 1 : 0;
    const SetupsFile file = ReadSetupsCsv(BRAMBLE_TEST_DATA "/adjust/hand-network.csv");
    return Adjust(file.Value(), {{"A", 100.0, 0.0, "hand"}, {"C", 103.0, 0.002, "hand"}}, options).Value();
}

TEST(AdjustOutput, JsonLayoutWithNullsWhereNoValueExists)
{
    const nlohmann::ordered_json j =
        nlohmann::ordered_json::parse(AdjustmentJson(HandResult(ObservationModel::differences)));
    std::vector<std::string> keys;
    for (const auto& item : j.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"model", "dof", "chi2", "s0", "chi2_test", "stations", "drift",
                                              "calibration", "observations", "removed"}));
    EXPECT_EQ(j["model"], "differences");
    EXPECT_EQ(j["dof"], 5);  // six differences and the datum of C, two unknowns
    EXPECT_TRUE(j["chi2_test"]["passed"].is_boolean());
    EXPECT_EQ(j["stations"][1]["station"], "B");
    EXPECT_EQ(j["stations"][1]["setups"], 2);
    EXPECT_EQ(j["drift"][0]["coefficients"].size(), 0u);
    EXPECT_EQ(j["observations"][0]["from"], "A");
    const auto& datum = j["observations"].back();  // C's datum
    EXPECT_TRUE(datum["loop"].is_null());
    EXPECT_TRUE(datum["from"].is_null());
    EXPECT_EQ(datum["to"], "C");
    EXPECT_EQ(datum["observed"], 103.0);

    const nlohmann::json readings = nlohmann::json::parse(AdjustmentJson(HandResult(ObservationModel::readings)));
    EXPECT_TRUE(readings["observations"][0]["from"].is_null());
    EXPECT_EQ(readings["drift"][0]["coefficients"].size(), 1u);
}

TEST(AdjustOutput, StationCsvAndReport)
{
    AdjustmentResult r = HandResult(ObservationModel::differences);
    r.stations[1].station = "B, \"north\"";
    const std::string csv = AdjustmentStationCsv(r);
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1), "station,g,sd,setups\nA,100.0000,0.0000,3\n");
    EXPECT_NE(csv.find("\n\"B, \"\"north\"\"\",101.00"), std::string::npos) << csv;
    const std::string report = AdjustmentReport(r, {"a warning"});
    EXPECT_NE(report.find("Observations 7, unknowns 2, degrees of freedom 5"), std::string::npos) << report;
    EXPECT_NE(report.find("- a warning\n"), std::string::npos);
}

}  // namespace
}  // namespace bramble
