// Times the "Station Information" chart: a build with all ten series, a
// check-box change, painting, and a wheel zoom. Prints the times and never
// fails on them; only the point counts are checked. 10^5 rows by default;
// BRAMBLE_CHART_TIMING_ROWS=1000000 times 10^6.
#include <QElapsedTimer>
#include <QCheckBox>
#include <QWheelEvent>
#include <QtTest>

#include "../../core/corrections/SurveyBuilder.h"
#include "charts/CDisplayDlg.h"
#include "charts/ChartWidget.h"

using namespace bramble;
using bramble::test::SurveyBuilder;

class ChartTimingTest : public QObject {
    Q_OBJECT
private slots:
    void buildAndPaint()
    {
        const int rows = qEnvironmentVariableIsSet("BRAMBLE_CHART_TIMING_ROWS")
                             ? qEnvironmentVariableIntValue("BRAMBLE_CHART_TIMING_ROWS")
                             : 100000;
        QTemporaryDir dir;
        SurveyBuilder s;
        s.doc.SetChartSettingsFolder(dir.path().toStdString());
        s.doc.m_bSubtractMean = false;
        s.AddCg3Header(40.0, 105.0);
        const double start = DateTime::fromParts(2019, 3, 12, 8, 0).value();
        for (int i = 0; i < rows; ++i) {
            auto& r = s.AddCg3(DateTime(start + i / 1440.0), 2480.0 + 0.01 * (i % 997), 0.001 * (i % 113));
            r.m_dStdDev = 0.02 + 0.0001 * (i % 31);
            r.m_nTiltX = i % 11 - 5;
            r.m_nTiltY = i % 7 - 3;
            r.m_dTemp = -0.8 + 0.001 * (i % 53);
        }
        s.list.Fill(0);
        for (int row = 0; row < rows; row += 1)
            if (row % 10 != 0)
                s.list.SelectRow(row);

        CDisplayDlg dlg(s.doc, s.list);
        dlg.resize(1200, 760);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        QElapsedTimer timer;
        timer.start();
        dlg.m_bSeries.fill(true);
        dlg.UpdateData(false);
        const qint64 build = timer.restart();
        dlg.grab();
        const qint64 paint = timer.restart();
        dlg.findChild<QCheckBox*>("check1068")->click();   // a check-box change: build with the range
        const qint64 change = timer.restart();
        QWidget* area = dlg.chart()->plotArea();
        const QPointF centre = area->rect().center();
        for (int step = 0; step < 5; ++step) {
            QWheelEvent wheel(centre, area->mapToGlobal(centre), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(area, &wheel);
            dlg.grab();
        }
        const qint64 zoom = timer.restart() / 5;

        qInfo("rows %d: build all ten series %lld ms, paint %lld ms, check-box change %lld ms, zoom step with "
              "paint %lld ms",
              rows, build, paint, change, zoom);
        QCOMPARE(dlg.chart()->PointCount(), rows);
        QCOMPARE(dlg.chart()->DrawnGapCount(0), (rows + 9) / 10);
    }
};

QTEST_MAIN(ChartTimingTest)
#include "ChartTiming_test.moc"
