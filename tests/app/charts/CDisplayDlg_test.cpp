// The "Station Information" window through its controls: gaps for the
// unselected rows, the ranges, scales, subtract mean, Aliod labels, clicks
// on points, its settings file, and the Plot command of the view.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "../../core/corrections/SurveyBuilder.h"
#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "charts/CDisplayDlg.h"
#include "charts/ChartSettings.h"
#include "charts/ChartWidget.h"
#include "corrections/RecalcSelection.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"

using namespace bramble;
using namespace bramble::test;

namespace {

double Time(int i) { return DateTime::fromParts(2019, 3, 12, 21 + i / 4, 15 * (i % 4)).value(); }

// Ten CG-3 readings a quarter of an hour apart, with distinct values.
struct Survey : SurveyBuilder {
    QTemporaryDir settingsDir;
    CorrectionSettings settings;
    DriftState drift;
    SelectionSummary summary;

    Survey()
    {
        doc.SetChartSettingsFolder(settingsDir.path().toStdString());
        doc.m_bSubtractMean = false;  // the tests tick it themselves
        AddCg3Header(40.0, 105.0);
        for (int i = 0; i < 10; ++i) {
            auto& r = AddCg3(DateTime(Time(i)), 2480.0 + 0.5 * i, -0.05 + 0.01 * i);
            r.m_dStdDev = 0.02 + 0.001 * i;
            r.m_nTiltX = i - 5;
            r.m_nTiltY = 2 * i;
            r.m_dTemp = -0.8 + 0.02 * i;
        }
        list.Fill(0);
    }
    void Select(std::initializer_list<int> rows)
    {
        list.SelectNone();
        for (int row : rows)
            list.SelectRow(row);
        RecalcSelection(doc, list, settings, drift, summary);
    }
};

// What the view does for a Plot: hand over, show, exchange, build.
void Plot(CDisplayDlg& dlg, const Survey& s)
{
    dlg.SetSummary(s.summary);
    dlg.SetSubtractMean(s.doc.m_bSubtractMean);
    dlg.show();
    dlg.UpdateData(false);
    dlg.Build();
}

QCheckBox* Check(CDisplayDlg& dlg, int id) { return dlg.findChild<QCheckBox*>(QStringLiteral("check%1").arg(id)); }
QComboBox* Scale(CDisplayDlg& dlg, int id) { return dlg.findChild<QComboBox*>(QStringLiteral("scale%1").arg(id)); }

void SetChecked(CDisplayDlg& dlg, int id, bool on)
{
    QCheckBox* box = Check(dlg, id);
    QVERIFY(box);
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(box->isChecked(), on);
}

}  // namespace

class CDisplayDlgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_settings = UsePrivateSettings();
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
    }

    void opensWithGravityOnlyAndEveryScaleOnOne()
    {
        Survey s;
        s.Select({0});
        CDisplayDlg dlg(s.doc, s.list);
        QCOMPARE(dlg.windowTitle(), QString("Station Information"));
        QVERIFY(!dlg.isModal());
        QVERIFY(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(Check(dlg, 1064)->isChecked());
        for (int id : {1065, 1066, 1067, 1068, 1069, 1140, 1142, 1143, 1148})
            QVERIFY(!Check(dlg, id)->isChecked());
        const QList<QComboBox*> scales = dlg.findChildren<QComboBox*>();
        QCOMPARE(scales.size(), 10);
        for (QComboBox* scale : scales) {
            QCOMPARE(scale->currentText(), QString("1"));
            QCOMPARE(scale->count(), 7);
            QCOMPARE(scale->itemText(0), QString(".001"));
            QCOMPARE(scale->itemText(6), QString("1000"));
        }
        QCOMPARE(Check(dlg, 1108)->text(), QString("Subtract Mean Gravity Value"));
        QCOMPARE(Check(dlg, 1069)->text(), QString("ETC"));
        // The ocean loading is offered only while the list shows its column.
        dlg.UpdateData(false);
        QVERIFY(Check(dlg, 1205)->isHidden() && dlg.findChild<QLineEdit*>("edit1207")->isHidden());
        s.list.ShowOceanLoad(true);
        dlg.UpdateData(false);
        QVERIFY(!Check(dlg, 1205)->isHidden() && !dlg.findChild<QLineEdit*>("edit1207")->isHidden());
        QCOMPARE(Check(dlg, 1205)->text(), QString("Ocean Loading"));
        QCOMPARE(dlg.chart()->Title(), QString("Scintrex Data"));
        QCOMPARE(dlg.chart()->XLabel(), QString("time"));
        QCOMPARE(dlg.chart()->YLabel(), QString("Gravity (mGals)"));
        QCOMPARE(dlg.chart()->SeriesName(5), QString("E.T.C"));
        QCOMPARE(dlg.chart()->SeriesColor(9), QColor(150, 150, 0));
    }

    void threeSelectedRowsOfTen()
    {
        Survey s;
        s.Select({2, 5, 7});
        CDisplayDlg dlg(s.doc, s.list);
        Plot(dlg, s);
        ChartWidget* chart = dlg.chart();
        QCOMPARE(chart->PointCount(), 10);
        QCOMPARE(chart->VisibleSeries(), QList<int>{0});
        QCOMPARE(chart->DrawnPointCount(0), 10);
        QCOMPARE(chart->DrawnGapCount(0), 7);
        for (int series = 0; series < 10; ++series) {
            int gaps = 0;
            for (int point = 0; point < 10; ++point)
                gaps += chart->Y(series, point) == -9999.0;
            QCOMPARE(gaps, 7);
            QCOMPARE(chart->X(series, 0), Time(0));
        }
        QCOMPARE(chart->XRange(), std::make_optional(std::make_pair(Time(2), Time(7))));
        const auto [first, last] = chart->ShownXRange();
        QVERIFY(first < Time(2) && first > Time(1));
        QVERIFY(last > Time(7) && last < Time(8));
        // Only gravity is ticked: its axis scales itself to the three values.
        QVERIFY(!chart->YRange());
        const auto [low, high] = chart->ShownYRange();
        QVERIFY(low < 2481.0 && low > 2480.5);
        QVERIFY(high > 2483.5 && high < 2484.0);
        // The panel shows the summary of the three.
        QCOMPARE(dlg.findChild<QLineEdit*>("edit1072")->text(), QString(" 2482.3333"));
        QVERIFY(dlg.findChild<QLineEdit*>("edit1072")->isReadOnly());
        QCOMPARE(dlg.findChild<QLineEdit*>("edit1078")->text(), QString("22:10:00"));
    }

    void untickingEverythingGivesMinusFiftyToFifty()
    {
        Survey s;
        s.Select({1, 2, 3});
        CDisplayDlg dlg(s.doc, s.list);
        Plot(dlg, s);
        SetChecked(dlg, 1064, false);
        QVERIFY(dlg.chart()->VisibleSeries().isEmpty());
        QVERIFY(!dlg.chart()->IsSeriesDrawn(0));
        QCOMPARE(dlg.chart()->ShownYRange(), std::make_pair(-50.0, 50.0));
        QCOMPARE(dlg.m_dLowest, -50.0);
        QCOMPARE(dlg.m_dHighest, 50.0);
        QVERIFY(!dlg.m_bRangeRequest);
    }

    void tickingTiltComputesTheValueRangeAndLaterBuildsKeepIt()
    {
        Survey s;
        s.Select({0, 9});
        CDisplayDlg dlg(s.doc, s.list);
        Plot(dlg, s);
        SetChecked(dlg, 1066, true);  // Tilt X: -5 and 4, margin 1.5
        QCOMPARE(dlg.chart()->VisibleSeries(), (QList<int>{0, 2}));
        QCOMPARE(dlg.chart()->YRange(), std::make_optional(std::make_pair(-6.5, 5.5)));
        QCOMPARE(dlg.chart()->ShownYRange(), std::make_pair(-6.5, 5.5));
        s.Select({0, 4});
        Plot(dlg, s);  // no check box change: the range stays
        QCOMPARE(dlg.chart()->ShownYRange(), std::make_pair(-6.5, 5.5));
        SetChecked(dlg, 1066, false);  // gravity alone: the axis scales itself again
        QVERIFY(!dlg.chart()->YRange());
    }

    void gravityFarFromTheOthersHasItsOwnAxisAndResetZoomShowsEverySeries()
    {
        Survey s;
        s.Select({0, 1, 2, 3, 4, 5});
        CDisplayDlg dlg(s.doc, s.list);
        Plot(dlg, s);
        SetChecked(dlg, 1065, true);  // SDev, near 0, beside gravity of some 2480 mGal
        SetChecked(dlg, 1140, true);  // Berger, all 0
        ChartWidget* chart = dlg.chart();
        QVERIFY(chart->IsSeriesOnRightAxis(0));
        QVERIFY(chart->IsRightAxisShown());
        QCOMPARE(chart->Y2Label(), QString("Gravity (mGals)"));
        const auto everyPointInView = [&] {
            const auto left = chart->ShownYRange();
            const auto right = chart->ShownY2Range();
            for (int series : chart->VisibleSeries())
                for (int p = 0; p < chart->PointCount(); ++p) {
                    const double y = chart->Y(series, p);
                    if (y == kPlotMissingValue)
                        continue;
                    const auto range = chart->IsSeriesOnRightAxis(series) ? right : left;
                    if (y < range.first || y > range.second)
                        return false;
                }
            return true;
        };
        QVERIFY(everyPointInView());
        // The hover text names the reading's station.
        QVERIFY2(chart->PointToolTip(0, 3).contains("Station 4"), qPrintable(chart->PointToolTip(0, 3)));
        // Zoomed far in, then reset: every ticked series comes back.
        QWheelEvent wheel(QPointF(200, 150), chart->plotArea()->mapToGlobal(QPointF(200, 150)), QPoint(),
                          QPoint(0, 1200), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart->plotArea(), &wheel);
        QVERIFY(!everyPointInView());
        chart->ResetZoom();
        QVERIFY(everyPointInView());

        // Centred on its mean, gravity shares the axis again, and the value
        // range asked for by the tick widens to take it in.
        SetChecked(dlg, 1108, true);
        QVERIFY(!chart->IsSeriesOnRightAxis(0));
        QVERIFY(!chart->IsRightAxisShown());
        QCOMPARE(chart->YLabel(), QString("Gravity (mGals)"));
        QVERIFY(everyPointInView());
    }

    void scaleOfTenOnTemp()
    {
        Survey s;
        s.Select({0, 9});
        CDisplayDlg dlg(s.doc, s.list);
        Plot(dlg, s);
        SetChecked(dlg, 1068, true);
        QCOMPARE(dlg.chart()->Y(4, 9), -0.62);
        QComboBox* scale = Scale(dlg, 1087);
        scale->setCurrentIndex(scale->findText("10"));
        QCOMPARE(dlg.m_dScale[4], 10.0);
        QCOMPARE(dlg.chart()->Y(4, 0), -8.0);
        QCOMPARE(dlg.chart()->Y(4, 9), -6.2);
        QCOMPARE(dlg.chart()->Y(0, 9), 2484.5);  // gravity is not scaled
        // The range uses the scaled values, margin 0.1.
        const auto range = dlg.chart()->YRange();
        QVERIFY(range);
        QCOMPARE(range->first, -8.1);
        QCOMPARE(range->second, -6.1);
    }

    void subtractMeanCentresGravityButTheClickShowsTheStoredValue()
    {
        Survey s;
        s.Select({0, 3, 6, 9});
        CDisplayDlg dlg(s.doc, s.list);
        dlg.resize(1100, 700);
        Plot(dlg, s);
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        SetChecked(dlg, 1108, true);
        QVERIFY(s.doc.m_bSubtractMean);
        double sum = 0.0;
        for (int row : {0, 3, 6, 9})
            sum += dlg.chart()->Y(0, row);
        QVERIFY(std::abs(sum) < 1e-9);
        const auto [low, high] = dlg.chart()->ShownYRange();
        QVERIFY(low < 0.0 && high > 0.0);

        auto text = AnswerNextMessageBox();
        QTest::mouseClick(dlg.chart()->plotArea(), Qt::LeftButton, {}, dlg.chart()->PointPosition(0, 6));
        QCOMPARE(*text, QString("Number: 7\n Grav:    2483.0000mGal\n"));

        SetChecked(dlg, 1108, false);
        QVERIFY(!s.doc.m_bSubtractMean);
        QCOMPARE(dlg.chart()->Y(0, 6), 2483.0);
    }

    void clickOnAPointShowsItsTextInTheInformationBox()
    {
        Survey s;
        s.Select({1, 2, 8});
        CDisplayDlg dlg(s.doc, s.list);
        dlg.resize(1100, 700);
        Plot(dlg, s);
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        SetChecked(dlg, 1067, true);  // Tilt Y
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        OnNextModal<QMessageBox>([&](QMessageBox* box) {
            icon = box->icon();
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        QTest::mouseClick(dlg.chart()->plotArea(), Qt::LeftButton, {}, dlg.chart()->PointPosition(3, 8));
        QCOMPARE(title, QString("Drop Select Message"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(text, QString("Number: 9\n Tilt Y: 16 arcsec\n"));
    }

    void aliodRelabelsAndDisablesSDevAndEtc()
    {
        SurveyBuilder s;
        QTemporaryDir dir;
        s.doc.SetChartSettingsFolder(dir.path().toStdString());
        s.AddAliodHeader(45.0, 7.0);
        for (int i = 0; i < 5; ++i)
            s.AddAliod(DateTime(Time(i)), 100.0 + i).m_nCrossLevel = 3 * i;
        s.ShowAndSelectAll();
        CDisplayDlg dlg(s.doc, s.list);
        dlg.show();
        dlg.UpdateData(false);
        QCOMPARE(dlg.chart()->Title(), QString("Aliod Data"));
        QCOMPARE(Check(dlg, 1066)->text(), QString("Cross Level"));
        QCOMPARE(Check(dlg, 1067)->text(), QString("Long Level"));
        QCOMPARE(dlg.findChild<QLabel*>("static1180")->text(), QString("Cross Level"));
        QCOMPARE(dlg.findChild<QLabel*>("static1181")->text(), QString("Long Level"));
        QCOMPARE(dlg.chart()->SeriesName(2), QString("Cross Level"));
        for (int id : {1065, 1069})
            QVERIFY(!Check(dlg, id)->isEnabled());
        for (int id : {1084, 1085})
            QVERIFY(!Scale(dlg, id)->isEnabled());
        QVERIFY(Check(dlg, 1066)->isEnabled());
        // SDev and E.T.C. hold only gaps and are never shown.
        dlg.m_bSeries.fill(true);
        dlg.UpdateData(false);
        QCOMPARE(dlg.chart()->VisibleSeries(), (QList<int>{0, 2, 3, 4, 6, 7, 8, 9}));
        for (int point = 0; point < 5; ++point) {
            QCOMPARE(dlg.chart()->Y(1, point), -9999.0);
            QCOMPARE(dlg.chart()->Y(5, point), -9999.0);
        }
        QCOMPARE(dlg.chart()->Y(2, 4), 12.0);
    }

    void settingsSavedOnCloseAreLoadedByTheNextWindow()
    {
        Survey s;
        s.Select({0});
        ChartSettings changed;
        changed.style = ChartSettings::Style::lines;
        changed.legend = false;
        {
            CDisplayDlg dlg(s.doc, s.list);
            QCOMPARE(dlg.SettingsFile(), s.settingsDir.filePath("Graphx/graph.pg"));
            QCOMPARE(dlg.chart()->Settings(), ChartSettings{});
            dlg.chart()->SetSettings(changed);
            dlg.show();
            dlg.close();
            QCOMPARE(ChartSettings::Load(dlg.SettingsFile()), changed);
            changed.markerSize = 12;
            dlg.chart()->SetSettings(changed);
        }  // and stored again when destroyed
        CDisplayDlg next(s.doc, s.list);
        QCOMPARE(next.chart()->Settings(), changed);
    }

    void plotCommandOfTheView()
    {
        CKelpApp app;
        QVERIFY(app.InitInstance({"bramble"}));
        CKelpView* view = app.mainFrame()->view();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));
        QVERIFY(QString::fromStdString(app.document().m_strGraphFile)
                    .startsWith(m_data->path() + "/Local AppWizard-Generated Applications/Bramble/Graphx/"));
        ImportThroughDialogs(app.mainFrame(), BRAMBLE_EXAMPLES "/cg3-two-blocks.dat", false);
        CStationList& list = view->StationList();
        QVERIFY(list.RowCount() >= 6);

        // Without a selection nothing is shown.
        Click(view, "plotButton");
        QVERIFY(!view->displayWindow());

        view->SelectRow(0);
        view->SelectRow(1);
        view->SelectRow(2);
        Click(view, "plotButton");
        CDisplayDlg* dlg = view->displayWindow();
        QVERIFY(dlg);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->parent(), view);
        QCOMPARE(dlg->chart()->PointCount(), list.RowCount());
        QCOMPARE(dlg->chart()->DrawnGapCount(0), list.RowCount() - 3);
        QCOMPARE(dlg->chart()->XRange()->first, list.Reading(0).m_dtTime.value());
        QCOMPARE(dlg->findChild<QLineEdit*>("edit1072")->text(),
                 QString::fromStdString(view->Session().Summary().Text(SelectionSummary::kGrav)));
        QVERIFY(dlg->findChild<QCheckBox*>("check1108")->isChecked());  // the document's m_bSubtractMean

        // A second Plot with another selection rebuilds the same window.
        view->OnSelectNone();
        view->SelectRow(list.RowCount() - 1);
        app.mainFrame()->findChild<QAction*>("actionPlot")->trigger();
        QCOMPARE(view->displayWindow(), dlg);
        QCOMPARE(dlg->chart()->DrawnGapCount(0), list.RowCount() - 1);
        QCOMPARE(dlg->chart()->XRange()->first, list.Reading(list.RowCount() - 1).m_dtTime.value());
        QCOMPARE(dlg->findChildren<ChartWidget*>().size(), 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<QTemporaryDir> m_data;
};

QTEST_MAIN(CDisplayDlgTest)
#include "CDisplayDlg_test.moc"
