// Times the "Station Information" chart in the real window (offscreen),
// for 10^5 and 10^6 CG-3 readings with all ten series: the build
// (CDisplayDlg::UpdateData, which ends in ChartWidget's Repaint), the
// first paint of the window, a check-box change that ticks a series, and a
// wheel zoom step with its paint. Each size runs a few times in a fresh
// window; the table shows the median of each column, in milliseconds.
//   app_station_chart_bench [--repeats N] [rows...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QWindow>

#include "charts/CDisplayDlg.h"
#include "charts/ChartWidget.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

// The series whose check box is unticked and ticked again ("Temp.").
constexpr const char* kChangedCheck = "check1068";
constexpr int kZoomSteps = 5;

// A CG-3 survey of `rows` readings a minute apart, with values that vary
// in every series, shown in the station list; every tenth row is left
// unselected so that each series has gaps to draw.
struct Survey {
    bramble::CKelpDoc doc;
    bramble::CStationList list{doc};

    explicit Survey(int rows)
    {
        auto header = std::make_unique<bramble::CScintrexHeader>();
        header->m_nIndex = 1;
        header->m_dLatitude = 40.0;
        header->m_dLongitude = 105.0;
        doc.m_pCurHeader = header.get();
        doc.m_Headers.push_back(std::move(header));
        doc.m_bAliod = false;
        doc.m_bSubtractMean = false;

        const double start = bramble::DateTime::fromParts(2019, 3, 12, 8, 0).value();
        doc.m_Readings.reserve(static_cast<std::size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            auto r = std::make_unique<bramble::CScintrexStation>();
            r->m_pHeader = doc.m_pCurHeader;
            r->m_nStationIndex = r->m_nRecord = i + 1;
            r->m_strStation = std::to_string(i + 1);
            r->m_dtTime = bramble::DateTime(start + i / 1440.0);
            r->m_dRawGrav = r->m_dGrav = 2480.0 + 0.01 * (i % 997);
            r->m_dEtc = r->m_dEtcRead = 0.001 * (i % 113);
            r->m_dGravLessEtc = r->m_dRawGrav - r->m_dEtc;
            r->m_dStdDev = 0.02 + 0.0001 * (i % 31);
            r->m_nTiltX = i % 11 - 5;
            r->m_nTiltY = i % 7 - 3;
            r->m_dTemp = -0.8 + 0.001 * (i % 53);
            doc.m_Readings.push_back(std::move(r));
        }
        doc.m_nRecords = rows;
        list.Fill(0);
        for (int row = 0; row < rows; ++row)
            if (row % 10 != 0)
                list.SelectRow(row);
    }
};

struct Figures {
    double setup = 0;  // the survey and the station list, before the chart
    double build = 0;
    double paint = 0;
    double untick = 0;
    double tick = 0;
    double zoom = 0;  // one wheel step with its paint, mean of kZoomSteps
    int points = 0;
    int gaps = 0;
    bool expected = false;
};

Figures TimeChart(int rows, const QString& settingsFolder)
{
    Figures f;
    auto start = Clock::now();
    Survey s(rows);
    s.doc.SetChartSettingsFolder(settingsFolder.toStdString());
    f.setup = Ms(start);

    bramble::CDisplayDlg dlg(s.doc, s.list);
    dlg.resize(1200, 760);
    dlg.show();
    for (int i = 0; i < 100 && !(dlg.windowHandle() && dlg.windowHandle()->isExposed()); ++i)
        QApplication::processEvents();
    QApplication::processEvents();

    start = Clock::now();
    dlg.m_bSeries.fill(true);
    dlg.UpdateData(false);
    f.build = Ms(start);

    start = Clock::now();
    dlg.grab();
    f.paint = Ms(start);

    // A check-box change rebuilds the chart with the value range; the
    // click and the paint that follows count.
    auto* check = dlg.findChild<QCheckBox*>(kChangedCheck);
    start = Clock::now();
    check->click();
    QApplication::processEvents();
    dlg.grab();
    f.untick = Ms(start);

    start = Clock::now();
    check->click();
    QApplication::processEvents();
    dlg.grab();
    f.tick = Ms(start);

    // Wheel steps into the middle of the plot; the replot may be queued
    // to the event loop, so the events run before the paint.
    QWidget* area = dlg.chart()->plotArea();
    const QPointF centre = area->rect().center();
    const auto before = dlg.chart()->ShownXRange();
    start = Clock::now();
    for (int step = 0; step < kZoomSteps; ++step) {
        QWheelEvent wheel(centre, area->mapToGlobal(centre), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &wheel);
        QApplication::processEvents();
        dlg.grab();
    }
    f.zoom = Ms(start) / kZoomSteps;
    const auto after = dlg.chart()->ShownXRange();

    // What was timed: every row is a point, the unselected rows are gaps.
    f.points = dlg.chart()->PointCount();
    f.gaps = dlg.chart()->DrawnGapCount(0);
    f.expected = f.points == rows && f.gaps == (rows + 9) / 10 && check->isChecked() &&
                 after.second - after.first < before.second - before.first;
    return f;
}

double Median(const std::vector<Figures>& runs, double Figures::*column)
{
    std::vector<double> values;
    for (const Figures& f : runs)
        values.push_back(f.*column);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", settings.path().toLocal8Bit());
    QApplication qapp(argc, argv);

    int repeats = 3;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeats" && i + 1 < argc)
            repeats = std::max(1, std::stoi(argv[++i]));
        else
            sizes.push_back(std::stoi(arg));
    }
    if (sizes.empty())
        sizes = {100000, 1000000};

    std::printf("Station Information chart, 10 series ticked, 1200x760 window, offscreen; times in ms, "
                "median of %d runs\n",
                repeats);
    std::printf("  setup: survey and station list (not the chart); build: all ten series, plot drawn;\n"
                "  paint: first paint of the window after the build\n");
    std::printf("  untick/tick: check box of one series, with repaint;\n"
                "  zoom: one wheel step with repaint (mean of %d)\n\n",
                kZoomSteps);
    std::printf("%9s %9s %9s %9s %9s %9s %9s %9s %8s\n", "rows", "setup", "build", "paint", "untick", "tick", "zoom",
                "points", "gaps");
    bool allExpected = true;
    for (int rows : sizes) {
        std::vector<Figures> runs;
        bool expected = true;
        for (int run = 0; run < repeats; ++run) {
            runs.push_back(TimeChart(rows, settings.path()));
            expected = expected && runs.back().expected;
        }
        const Figures& last = runs.back();
        std::printf("%9d %9.0f %9.0f %9.0f %9.0f %9.0f %9.0f %9d %8d%s\n", rows, Median(runs, &Figures::setup),
                    Median(runs, &Figures::build), Median(runs, &Figures::paint), Median(runs, &Figures::untick),
                    Median(runs, &Figures::tick), Median(runs, &Figures::zoom), last.points, last.gaps,
                    expected ? "" : "  (unexpected counts or no zoom)");
        std::fflush(stdout);
        allExpected = allExpected && expected;
    }
    return allExpected ? 0 : 1;
}
