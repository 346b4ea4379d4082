// The drift line is fitted to the gravity the readings have before their
// drift is subtracted (the chosen tide, pressure and polar steps, at full
// precision), and its correction shows with one sign wherever it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "../corrections/SurveyBuilder.h"
#include "corrections/EarthTide.h"
#include "corrections/GravityBeforeDrift.h"
#include "corrections/RecalcSelection.h"
#include "drift/DriftLine.h"
#include "drift/DriftSession.h"
#include "session/ReductionSession.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;

namespace {

const std::string kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const std::string kPolar = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

// The least-squares slope of y against the readings' times, mGal per day.
double Slope(const std::vector<double>& t, const std::vector<double>& y)
{
    double st = 0, sy = 0, stt = 0, sty = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        st += t[i] - t[0];
        sy += y[i];
        stt += (t[i] - t[0]) * (t[i] - t[0]);
        sty += (t[i] - t[0]) * y[i];
    }
    const double n = static_cast<double>(t.size());
    return (sty / n - st / n * sy / n) / (stt / n - st / n * st / n);
}

}  // namespace

TEST(DriftFit, TheBergerTideOfAnAliodLoopIsNotTakenIntoTheDriftRate)
{
    // Ten hourly readings of one base whose only change, once the Berger
    // tide is added, is a drift of 0.05 mGal per day.
    SurveyBuilder b;
    b.AddAliodHeader(46.52, 6.57);
    for (int hour = 0; hour < 10; ++hour) {
        const DateTime time = At(2024, 3, 1, 8 + hour);
        const double hours = (time.value() - 2.0) * 24.0;
        const double tide = GravTide(hours, 46.52, -6.57, 0, 1.0) * 0.001;
        b.AddAliod(time, 980.0 + 0.05 * hour / 24.0 - tide);
    }
    b.ShowAndSelectAll();
    DriftState drift;
    CorrectionSettings settings;
    settings.m_nTideMode = kTideBerger;
    DriftNames names;
    DriftContext ctx{b.doc, b.list, drift, settings, {}, {}};
    BeginDriftCommand(ctx, names, settings);
    EXPECT_NEAR(drift.m_dCoeff[0], 0.05, 1e-9);

    // With that line applied, every reading ends at the base's gravity.
    settings.m_bApplyDrift = true;
    for (auto& r : b.doc.m_Readings)
        r->m_dDriftCorr = (r->m_dtTime.value() - drift.m_dtStart.value()) * drift.m_dCoeff[0];
    SelectionSummary summary;
    RecalcSelection(b.doc, b.list, settings, drift, summary);
    for (const auto& r : b.doc.m_Readings)
        EXPECT_NEAR(r->m_dGrav, 980.0, 1e-9) << r->m_dtTime.format("%H:%M");
}

TEST(DriftFit, ACg3BaseWithPressureAndPolarMotionIsFittedAfterThoseSteps)
{
    ReductionSession session;
    ASSERT_TRUE(session.Import(kCg3, MeterKind::cg3).Succeeded());
    ASSERT_TRUE(session.SelectStations({"1"}).Succeeded());
    CorrectionsDialogModel dialog = session.OpenCorrections();
    ASSERT_TRUE(dialog.ReadPolarTable(kPolar).Value());
    dialog.Settings().m_bApplyPolar = true;
    // The air pressure rises by 40 hPa over the survey.
    ASSERT_TRUE(dialog.ApplyPressures({"03/12/2019  21:30:12  990", "03/13/2019  15:35:02  1030"}).Succeeded());
    dialog.Settings().m_dNominalPressure = 1013.25;
    session.ApplyCorrections(dialog.Settings());

    // What the pipeline gives the base readings before drift, at full precision.
    std::vector<double> t, y;
    for (const int row : session.List().SelectedRows()) {
        const CReading& r = session.List().Reading(row);
        ASSERT_NE(r.m_dPressureCorr, 0.0);
        ASSERT_NE(r.m_dPolarCorr, 0.0);
        t.push_back(r.m_dtTime.value());
        y.push_back(r.m_dGrav);
    }
    ASSERT_GE(t.size(), 3u);
    const double expected = Slope(t, y);

    const std::string line = session.BeginDriftCommand(session.Corrections());
    EXPECT_NEAR(session.Drift().m_dCoeff[0], expected, 1e-9);
    // Not the line through the gravity as read, which misses the pressure trend.
    std::vector<double> raw;
    for (const int row : session.List().SelectedRows())
        raw.push_back(session.List().Reading(row).m_dRawGrav);
    EXPECT_GT(std::fabs(Slope(t, raw) - expected), 0.005);
    // The drift dialog shows the same gravity the line went through.
    std::size_t i = 0;
    for (const int row : session.List().SelectedRows())
        EXPECT_NEAR(session.List().Reading(row).m_dGrav, y[i++], 1e-12);
    EXPECT_FALSE(line.empty());
}

TEST(DriftFit, LongmanAloneFitsTheGravityAsRead)
{
    SurveyBuilder b;
    b.AddCg3Header(46.5, -6.6);
    b.AddCg3(At(2024, 3, 1, 8), 2490.1234567, 0.012);
    b.AddCg3(At(2024, 3, 1, 14), 2490.2234567, -0.031);
    b.ShowAndSelectAll();
    const StepsBeforeDrift steps = StepsBeforeDriftOf(b.doc, CorrectionSettings{});
    EXPECT_EQ(GravityBeforeDrift(b.Cg3(0), steps), 2490.1234567);  // full precision, not the cell's "%9.3f"
    DriftState drift;
    CalculateDriftRate(b.list, drift, steps);
    EXPECT_NEAR(drift.m_dCoeff[0], 0.1 / 0.25, 1e-9);
}

TEST(DriftFit, TheDriftCellShowsTheCorrectionAddedWhileTheDialogIsOpenAndAfterOk)
{
    SurveyBuilder b;
    b.AddCg3Header(46.5, -6.6);
    b.AddCg3(At(2024, 3, 1, 8), 2490.100);
    b.AddCg3(At(2024, 3, 1, 20), 2490.160);
    b.ShowAndSelectAll();
    DriftState drift;
    CorrectionSettings settings;
    SelectionSummary summary;
    DriftNames names;
    DriftContext ctx{b.doc, b.list, drift, settings,
                     [&] { RecalcSelection(b.doc, b.list, settings, drift, summary); },
                     [&] { RecalcSelectionByRow(b.doc, b.list, settings, drift, summary); }};
    const std::string line = BeginDriftCommand(ctx, names, settings);
    EXPECT_EQ(b.list.Text(1, CStationList::kDriftCorrection), "   -0.0600");
    DriftDialogModel dialog(ctx, names.m_DriftNames, 0, DriftMode::calculate, line);
    dialog.Start();
    EXPECT_EQ(b.list.Text(1, CStationList::kDriftCorrection), "   -0.0600");
    dialog.Update();
    EXPECT_EQ(b.list.Text(1, CStationList::kDriftCorrection), "   -0.0600");
    dialog.Ok();
    EXPECT_EQ(b.list.Text(1, CStationList::kDriftCorrection), "   -0.0600");
    EXPECT_NEAR(b.Cg3(1).m_dGrav, 2490.100, 1e-9);  // the gravity plus the correction shown
}

TEST(DriftFit, ATypedRateIsOneToSixNumbers)
{
    EXPECT_EQ(ReadDriftRate(" 0.125 ").Value()[0], 0.125);
    EXPECT_EQ(ReadDriftRate("-0.3 0.01").Value()[1], 0.01);
    for (const char* typed : {"46,52", "", "   ", "0.1 0.2 0.3 0.4 0.5 0.6 0.7", "1e999", "fast"}) {
        const auto rate = ReadDriftRate(typed);
        EXPECT_TRUE(rate.Failed()) << typed;
        EXPECT_NE(rate.ErrorText().find(std::string("\"") + typed + "\""), std::string::npos) << rate.ErrorText();
    }
}
