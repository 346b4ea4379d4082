// The drift plot: two series of the selected rows, gaps elsewhere, its own
// settings file, and its place in the drift dialog.
#include <QTemporaryDir>
#include <QtTest>

#include "../../core/corrections/SurveyBuilder.h"
#include "charts/ChartSettings.h"
#include "charts/ChartWidget.h"
#include "charts/DriftPlot.h"
#include "charts/DriftPlotSeries.h"
#include "corrections/RecalcSelection.h"
#include "drift/CDlgDriftCorrect.h"
#include "drift/DriftSession.h"

using namespace bramble;
using bramble::test::SurveyBuilder;

namespace {

double Time(int i) { return DateTime::fromParts(2019, 3, 12, 9 + i / 6, (10 * i) % 60).value(); }

// Eight CG-3 readings, each with its own drift value; rows 2, 3 and 6 selected.
struct DriftSurvey : SurveyBuilder {
    QTemporaryDir settingsDir;
    DriftSurvey()
    {
        doc.SetChartSettingsFolder(settingsDir.path().toStdString());
        AddCg3Header(40.0, 105.0);
        for (int i = 0; i < 8; ++i)
            AddCg3(DateTime(Time(i)), 2480.0 + 0.1 * i).m_dDriftCorr = 0.02 * i;
        Cg3(3).m_dDriftCorr = 0.0;
        list.Fill(0);
        for (int row : {2, 3, 6})
            list.SelectRow(row);
    }
};

}  // namespace

class DriftPlotTest : public QObject {
    Q_OBJECT
private slots:
    void unselectedRowsAreGapsInBothSeries()
    {
        DriftSurvey s;
        DriftPlot plot(s.doc, s.list);
        ChartWidget* chart = plot.chart();
        QCOMPARE(chart->Title(), QString("Drift Correction Plot"));
        QCOMPARE(chart->SeriesName(0), QString("Gravity"));
        QCOMPARE(chart->SeriesName(1), QString("Corrected Gravity"));
        QCOMPARE(chart->YLabel(), QString("Gravity (mGals)"));
        for (int series = 0; series < 2; ++series) {
            QCOMPARE(chart->DrawnPointCount(series), 8);
            QCOMPARE(chart->DrawnGapCount(series), 5);
        }
        QCOMPARE(chart->X(0, 0), Time(0));  // gaps keep their reading's time
        QCOMPARE(chart->Y(1, 6), 2480.6 - 0.12);
        QCOMPARE(chart->XRange(), std::make_optional(std::make_pair(Time(2), Time(6))));
        QVERIFY(!chart->YRange());
    }

    void zeroDriftPutsBothSeriesOnOnePoint()
    {
        DriftSurvey s;
        DriftPlot plot(s.doc, s.list);
        plot.resize(700, 400);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        ChartWidget* chart = plot.chart();
        QCOMPARE(chart->PointPosition(0, 3), chart->PointPosition(1, 3));
        QVERIFY(chart->PointPosition(0, 2) != chart->PointPosition(1, 2));
    }

    void fillFollowsANewSelection()
    {
        DriftSurvey s;
        DriftPlot plot(s.doc, s.list);
        s.list.SelectAll();
        plot.Fill();
        QCOMPARE(plot.chart()->DrawnGapCount(0), 0);
        QCOMPARE(plot.chart()->XRange(), std::make_optional(std::make_pair(Time(0), Time(7))));
    }

    void settingsGoToTheSecondFileAndComeBack()
    {
        DriftSurvey s;
        QCOMPARE(s.doc.m_strGraphFile2, s.settingsDir.filePath("Graphx/graph2.pg").toStdString());
        ChartSettings changed;
        changed.style = ChartSettings::Style::points;
        changed.markerSize = 11;
        {
            DriftPlot plot(s.doc, s.list);
            QCOMPARE(plot.chart()->Settings(), ChartSettings{});
            plot.chart()->SetSettings(changed);
            QVERIFY(plot.StoreSettings());  // OK of the dialog
            QVERIFY(QFile::exists(QString::fromStdString(s.doc.m_strGraphFile2)));
            QVERIFY(!QFile::exists(QString::fromStdString(s.doc.m_strGraphFile)));
            changed.grid = false;
            plot.chart()->SetSettings(changed);
        }  // stored again when the plot goes
        DriftPlot next(s.doc, s.list);
        QCOMPARE(next.chart()->Settings(), changed);
    }

    void attachedToTheDriftDialog()
    {
        DriftSurvey s;
        CorrectionSettings settings;
        DriftState drift;
        SelectionSummary summary;
        DriftContext ctx{s.doc,
                         s.list,
                         drift,
                         settings,
                         [&] { RecalcSelection(s.doc, s.list, settings, drift, summary); },
                         [&] { RecalcSelectionByRow(s.doc, s.list, settings, drift, summary); }};
        {
            CDlgDriftCorrect dialog(ctx, {"None"}, 0, DriftMode::apply, "");
            DriftPlot* plot = DriftPlot::Attach(dialog, s.doc, s.list);
            QCOMPARE(plot->parentWidget(), dialog.plotHost());
            plot->chart()->SetSettings(ChartSettings{ChartSettings::Style::lines, true, false, 5, 2.0});
            dialog.start();
            QCOMPARE(plot->chart()->DrawnPointCount(0), 8);
        }
        QCOMPARE(ChartSettings::Load(QString::fromStdString(s.doc.m_strGraphFile2)).style, ChartSettings::Style::lines);
    }
};

QTEST_MAIN(DriftPlotTest)
#include "DriftPlot_test.moc"
