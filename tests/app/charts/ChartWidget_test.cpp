// The chart component through its widget: gaps, ranges, clicks on the
// drawn points, zoom, the right-click menu, the settings file and export.
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QToolTip>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include "charts/ChartSettings.h"
#include "charts/ChartWidget.h"
#include "survey/DateTime.h"

using namespace bramble;

namespace {

constexpr double kMissing = -9999.0;

double Day(int hour, int minute) { return DateTime::fromParts(2019, 3, 12, hour, minute).value(); }

// Two series of six points ten minutes apart; points 1 and 4 of series 0
// are missing.
void Fill(ChartWidget& chart)
{
    chart.SetSeriesCount(2);
    chart.SetPointCount(6);
    chart.SetMissingValue(kMissing);
    chart.SetSeriesName(0, "Gravity");
    chart.SetSeriesName(1, "Temp");
    chart.SetSeriesColor(0, Qt::red);
    for (int i = 0; i < 6; ++i) {
        for (int s = 0; s < 2; ++s)
            chart.SetX(s, i, Day(10, 10 * i));
        chart.SetY(0, i, (i == 1 || i == 4) ? kMissing : 100.0 + i);
        chart.SetY(1, i, -2.0 + 0.5 * i);
    }
}

class ShownChart {
public:
    ShownChart()
    {
        chart.resize(900, 560);
        Fill(chart);
        chart.Repaint();
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
    }
    ChartWidget chart;
};

}  // namespace

class ChartWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void missingValuesAreGaps()
    {
        ChartWidget chart;
        Fill(chart);
        chart.SetY(1, 5, std::numeric_limits<double>::quiet_NaN());
        chart.Repaint();
        QCOMPARE(chart.DrawnPointCount(0), 6);
        QCOMPARE(chart.DrawnGapCount(0), 2);
        QCOMPARE(chart.DrawnGapCount(1), 1);
    }

    void hiddenSeriesAreNotDrawn()
    {
        ChartWidget chart;
        Fill(chart);
        chart.SetVisibleSeries({1});
        chart.Repaint();
        QVERIFY(!chart.IsSeriesDrawn(0));
        QVERIFY(chart.IsSeriesDrawn(1));
        QCOMPARE(chart.DrawnPointCount(0), 0);
        QCOMPARE(chart.VisibleSeries(), QList<int>{1});
    }

    void xRangeIsTheGivenSpanWithALittleRoom()
    {
        ChartWidget chart;
        Fill(chart);
        chart.SetXRange(Day(10, 10), Day(10, 30));
        chart.Repaint();
        const auto [first, last] = chart.ShownXRange();
        const double span = Day(10, 30) - Day(10, 10);
        QVERIFY(first < Day(10, 10) && first > Day(10, 10) - 0.05 * span);
        QVERIFY(last > Day(10, 30) && last < Day(10, 30) + 0.05 * span);
    }

    void xRangeWithoutOneSpansThePoints()
    {
        ChartWidget chart;
        Fill(chart);
        chart.SetVisibleSeries({0});
        chart.SetY(0, 5, kMissing);  // the last point of series 0 is now a gap
        chart.Repaint();
        const auto [first, last] = chart.ShownXRange();
        QVERIFY(first < Day(10, 0));
        QVERIFY(last > Day(10, 30) && last < Day(10, 40));
    }

    void yRangeGivenOrAutoscaled()
    {
        ChartWidget chart;
        Fill(chart);
        chart.SetVisibleSeries({0});
        chart.SetYRange(90.0, 110.0);
        chart.Repaint();
        QCOMPARE(chart.ShownYRange(), std::make_pair(90.0, 110.0));
        // A range that would leave shown points out is widened to take them in.
        chart.SetYRange(-50.0, 50.0);
        chart.Repaint();
        QVERIFY(chart.ShownYRange().first <= -50.0 && chart.ShownYRange().second > 105.0);
        chart.ClearYRange();
        chart.Repaint();
        const auto [low, high] = chart.ShownYRange();
        QVERIFY(low < 100.0 && low > 99.0);
        QVERIFY(high > 105.0 && high < 106.0);
        // An inverted range means no range: the axis scales itself.
        chart.SetYRange(9999999.0, -9999999.0);
        chart.Repaint();
        QCOMPARE(chart.ShownYRange(), std::make_pair(low, high));
    }

    void clickOnAPointReportsSeriesAndPoint()
    {
        ShownChart shown;
        ChartWidget& chart = shown.chart;
        QSignalSpy clicked(&chart, &ChartWidget::pointClicked);
        const QPoint pos = chart.PointPosition(1, 3);
        QVERIFY(chart.plotArea()->rect().contains(pos));
        QTest::mouseClick(chart.plotArea(), Qt::LeftButton, {}, pos);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 1);
        QCOMPARE(clicked.at(0).at(1).toInt(), 3);

        const QPoint gravity = chart.PointPosition(0, 5);
        QTest::mouseClick(chart.plotArea(), Qt::LeftButton, {}, gravity + QPoint(2, -2));
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(clicked.at(1).at(0).toInt(), 0);
        QCOMPARE(clicked.at(1).at(1).toInt(), 5);
        QCOMPARE(chart.PointPosition(0, 4), QPoint(-1, -1));  // a gap has no position
    }

    void clickAwayFromPointsReportsNothing()
    {
        ShownChart shown;
        ChartWidget& chart = shown.chart;
        QSignalSpy clicked(&chart, &ChartWidget::pointClicked);
        const QPoint a = chart.PointPosition(1, 2), b = chart.PointPosition(1, 3);
        QTest::mouseClick(chart.plotArea(), Qt::LeftButton, {}, QPoint((a.x() + b.x()) / 2, a.y() - 40));
        QCOMPARE(clicked.count(), 0);
    }

    void pointsOutOfTimeOrderKeepTheirIndex()
    {
        ChartWidget chart;
        chart.resize(800, 500);
        chart.SetSeriesCount(1);
        chart.SetPointCount(4);
        const double times[] = {Day(12, 0), Day(10, 0), Day(11, 0), Day(9, 0)};
        for (int i = 0; i < 4; ++i) {
            chart.SetX(0, i, times[i]);
            chart.SetY(0, i, 10.0 * i);
        }
        chart.Repaint();
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QSignalSpy clicked(&chart, &ChartWidget::pointClicked);
        QTest::mouseClick(chart.plotArea(), Qt::LeftButton, {}, chart.PointPosition(0, 1));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(1).toInt(), 1);
        QCOMPARE(chart.PointAt(chart.PointPosition(0, 3)), std::make_pair(0, 3));
        QVERIFY(chart.PointToolTip(0, 2).contains("03/12/2019 11:00:00"));
        QVERIFY(chart.PointToolTip(0, 2).contains("20.0000"));
    }

    void rubberBandAndWheelZoomThenReset()
    {
        ShownChart shown;
        ChartWidget& chart = shown.chart;
        const auto before = chart.ShownXRange();
        const QPoint a = chart.PointPosition(1, 1), b = chart.PointPosition(1, 3);
        const QPoint from((3 * a.x() + b.x()) / 4, 80), to(b.x() + 5, chart.plotArea()->height() - 120);
        QTest::mousePress(chart.plotArea(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), chart.plotArea()->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(chart.plotArea(), &move);
        QTest::mouseRelease(chart.plotArea(), Qt::LeftButton, {}, to);
        const auto zoomed = chart.ShownXRange();
        QVERIFY(zoomed.second - zoomed.first < 0.5 * (before.second - before.first));

        chart.ResetZoom();
        QCOMPARE(chart.ShownXRange(), before);

        const QPointF centre = chart.plotArea()->rect().center();
        QWheelEvent wheel(centre, chart.plotArea()->mapToGlobal(centre), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart.plotArea(), &wheel);
        const auto wheeled = chart.ShownXRange();
        QVERIFY(wheeled.second - wheeled.first < before.second - before.first);
        QTest::mouseDClick(chart.plotArea(), Qt::LeftButton, {}, QPoint(chart.plotArea()->width() / 2, 60));
        QCOMPARE(chart.ShownXRange(), before);
    }

    void tooltipShowsTheValueUnderTheCursor()
    {
        ShownChart shown;
        ChartWidget& chart = shown.chart;
        const QPoint pos = chart.PointPosition(1, 2);
        QHelpEvent help(QEvent::ToolTip, pos, chart.plotArea()->mapToGlobal(pos));
        QApplication::sendEvent(chart.plotArea(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("Temp\n03/12/2019 10:20:00\n-1.0000"));
        QHelpEvent away(QEvent::ToolTip, QPoint(3, 3), chart.plotArea()->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(chart.plotArea(), &away);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void rightClickOpensTheMenu()
    {
        ShownChart shown;
        const QPoint pos(200, 200);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, shown.chart.plotArea()->mapToGlobal(pos));
        QApplication::sendEvent(shown.chart.plotArea(), &event);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = shown.chart.findChild<QMenu*>()) && menu->isVisible());
        QVERIFY(menu->findChild<QAction*>("actionExportPdf"));
        menu->findChild<QAction*>("actionStyleLines")->trigger();
        QCOMPARE(shown.chart.Settings().style, ChartSettings::Style::lines);
        QVERIFY(!shown.chart.AreMarkersDrawn(0));
        menu->close();
    }

    void manyPointsInViewAreDrawnWithoutMarkersUntilZoomedIn()
    {
        ChartWidget chart;
        chart.resize(800, 500);
        const int n = ChartWidget::kMaxMarkers * 3;
        chart.SetSeriesCount(1);
        chart.SetPointCount(n);
        for (int i = 0; i < n; ++i) {
            chart.SetX(0, i, Day(0, 0) + i / 1440.0);
            chart.SetY(0, i, i % 17);
        }
        chart.Repaint();
        QVERIFY(!chart.AreMarkersDrawn(0));
        chart.SetXRange(Day(0, 0), Day(0, 0) + 100 / 1440.0);
        chart.Repaint();
        QVERIFY(chart.AreMarkersDrawn(0));
        QCOMPARE(chart.DrawnPointCount(0), n);
    }

    void titlesAndLabels()
    {
        ChartWidget chart;
        chart.SetTitle("Scintrex Data");
        chart.SetSubtitle("sub");
        chart.SetSubtitle("");
        chart.SetXLabel("time");
        chart.SetYLabel("Gravity (mGals)");
        QCOMPARE(chart.Title(), QString("Scintrex Data"));
        QCOMPARE(chart.Subtitle(), QString());
        QCOMPARE(chart.XLabel(), QString("time"));
        QCOMPARE(chart.YLabel(), QString("Gravity (mGals)"));
    }

    void menuChangesTheSettings()
    {
        ChartWidget chart;
        Fill(chart);
        chart.Repaint();
        std::unique_ptr<QMenu> menu(chart.CreateContextMenu(nullptr));
        menu->findChild<QAction*>("actionStylePoints")->trigger();
        QCOMPARE(chart.Settings().style, ChartSettings::Style::points);
        menu->findChild<QAction*>("actionGrid")->trigger();
        QVERIFY(!chart.Settings().grid);
        menu->findChild<QAction*>("actionLegend")->trigger();
        QVERIFY(!chart.Settings().legend);
        menu->findChild<QAction*>("actionMarker10")->trigger();
        QCOMPARE(chart.Settings().markerSize, 10);
        // A new menu shows the state the settings are in.
        std::unique_ptr<QMenu> again(chart.CreateContextMenu(nullptr));
        QVERIFY(again->findChild<QAction*>("actionStylePoints")->isChecked());
        QVERIFY(!again->findChild<QAction*>("actionStyleBoth")->isChecked());
        QVERIFY(!again->findChild<QAction*>("actionGrid")->isChecked());
    }

    void settingsRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Graphx/graph.pg");  // the folder does not exist yet
        ChartSettings settings;
        settings.style = ChartSettings::Style::lines;
        settings.grid = false;
        settings.legend = false;
        settings.markerSize = 9;
        settings.lineWidth = 2.5;
        ChartWidget first;
        first.SetSettings(settings);
        QVERIFY(first.SaveSettings(path));
        ChartWidget second;
        QVERIFY(second.LoadSettings(path));
        QCOMPARE(second.Settings(), settings);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readLine().startsWith("Bramble chart settings 1"));
    }

    void corruptOrMissingFilesLeaveTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("recognised");
        QTest::newRow("binary") << QByteArray("\x00\xff\x13garbage\n", 11) << false;
        QTest::newRow("no format line") << QByteArray("style=points\ngrid=off\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("bad values") << QByteArray("Bramble chart settings 1\nstyle=zigzag\ngrid=maybe\nmarkersize=900\n"
                                                  "linewidth=abc\nlegend\n=on\nfuture=1\n")
                                    << true;
    }

    void corruptOrMissingFilesLeaveTheDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, recognised);
        QTemporaryDir dir;
        const QString path = dir.filePath("graph.pg");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        ChartWidget chart;
        QCOMPARE(chart.LoadSettings(path), recognised);
        QCOMPARE(chart.Settings(), ChartSettings{});
        QVERIFY(!chart.LoadSettings(dir.filePath("missing.pg")));
        QCOMPARE(chart.Settings(), ChartSettings{});
    }

    void partOfAFileIsKept()
    {
        bool read = false;
        const ChartSettings s =
            ChartSettings::FromText("Bramble chart settings 1\r\n# note\r\nmarkersize=4\r\n", &read);
        QVERIFY(read);
        QCOMPARE(s.markerSize, 4);
        QCOMPARE(s.style, ChartSettings::Style::both);
    }

    void unwritableSettingsFileFails()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("Graphx"));  // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ChartWidget chart;
        QVERIFY(!chart.SaveSettings(dir.filePath("Graphx/graph.pg")));
        QVERIFY(!chart.SaveSettings(QString()));
    }

    void exportsPngAndPdf()
    {
        ShownChart shown;
        QTemporaryDir dir;
        QVERIFY(shown.chart.ExportPng(dir.filePath("chart.png")));
        QImage image(dir.filePath("chart.png"));
        QVERIFY(image.width() >= shown.chart.width());
        QVERIFY(shown.chart.ExportPdf(dir.filePath("chart.pdf")));
        QFile pdf(dir.filePath("chart.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }
};

QTEST_MAIN(ChartWidgetTest)
#include "ChartWidget_test.moc"
