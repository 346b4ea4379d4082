// The "Adjust Network" window: the Network menu opens it on the survey, Run
// fills the tables, statistics and charts without blocking, a click on an
// observation selects its station's readings in the main list, flagged rows
// are highlighted, and what cannot be adjusted is said plainly.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "adjust/AdjustCharts.h"
#include "adjust/AdjustResultModels.h"
#include "adjust/DatumEditor.h"
#include "adjust/LoopChooser.h"
#include "adjust/NetworkAdjustWindow.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/CStationList.h"

using namespace bramble;
using namespace bramble::test;

namespace {

void SetDatum(NetworkAdjustWindow* window, int row, const QString& station, const QString& gravity,
              const QString& sd = {})
{
    QTableWidget* table = window->datums()->table();
    while (table->rowCount() <= row)
        table->insertRow(table->rowCount());
    table->setItem(row, 0, new QTableWidgetItem(station));
    table->setItem(row, 1, new QTableWidgetItem(gravity));
    table->setItem(row, 2, new QTableWidgetItem(sd));
}

bool RunAndWait(NetworkAdjustWindow* window)
{
    QSignalSpy finished(window, &NetworkAdjustWindow::finished);
    if (!window->Run())
        return false;
    if (!window->IsRunning())
        return false;
    return finished.count() == 1 || finished.wait(20000);
}

// A loop over three stations with positions; the third visit of B reads
// 0.08 mGal too high.
AdjustInput BlunderLoop()
{
    AdjustInput input;
    input.description = "Synthetic loop";
    input.surveys.push_back({"synthetic.dat", {}});
    const struct {
        const char* station;
        double truth, lat, lon;
    } visits[] = {{"A", 0, 46.00, 7.00}, {"B", 5, 46.02, 7.05}, {"C", 8, 46.05, 7.02}, {"A", 0, 46.00, 7.00},
                  {"B", 5, 46.02, 7.05}, {"C", 8, 46.05, 7.02}, {"A", 0, 46.00, 7.00}, {"B", 5, 46.02, 7.05},
                  {"C", 8, 46.05, 7.02}, {"A", 0, 46.00, 7.00}, {"B", 5, 46.02, 7.05}, {"A", 0, 46.00, 7.00}};
    const double noise[] = {0.002, -0.003, 0.001, -0.002, 0.003, -0.001, 0.002, 0.080, -0.002, 0.001, -0.003, 0.002};
    for (int i = 0; i < 12; ++i) {
        AdjustReading r;
        r.loop = "day 1";
        r.station = visits[i].station;
        r.time = 45000.3 + 0.02 * i;
        r.gravity = 3000.0 + visits[i].truth + 0.04 * (r.time - 45000.3) + noise[i];
        r.sd = 0.01;
        r.latitude = visits[i].lat;
        r.longitude = visits[i].lon;
        input.surveys.front().readings.push_back(r);
    }
    return input;
}

}  // namespace

class NetworkAdjustWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;

private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init() { m_app = std::make_unique<CKelpApp>(); }
    void cleanup() { m_app.reset(); }

    void theNetworkMenuAdjustsTheOpenSurveyAndShowsStationsInTheList()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        frame->show();
        ReductionSession& session = frame->view()->Session();
        QVERIFY(session.Import(kCg3Example.toStdString(), MeterKind::cg3).Succeeded());
        frame->findChild<QAction*>("actionAdjustNetwork")->trigger();
        NetworkAdjustWindow* window = frame->adjustWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(!window->isModal());

        SetDatum(window, 0, "1", "2489.0");
        QVERIFY(RunAndWait(window));
        QVERIFY2(window->Result(), qPrintable(window->LastError()));
        QVERIFY(window->findChild<QLabel*>("inputLabel")->text().contains("cg3-two-blocks.dat"));
        QCOMPARE(window->stationTable()->model()->rowCount(), 6);
        QCOMPARE(window->observationTable()->model()->rowCount(),
                 static_cast<int>(window->Result()->observationResults.size()));
        QCOMPARE(window->observationTable()->model()->rowCount(), 14);  // the setups; a fixed datum is no observation
        QVERIFY(!window->verdictLabel()->text().isEmpty());
        QCOMPARE(window->driftChart()->loopChooser()->count(), 2);
        QVERIFY(window->runButton()->isEnabled());

        // Sorting by residual sorts numbers, not texts.
        window->observationTable()->sortByColumn(ObservationResultModel::residual, Qt::AscendingOrder);
        QAbstractItemModel* shown = window->observationTable()->model();
        for (int row = 1; row < shown->rowCount(); ++row)
            QVERIFY(shown->index(row - 1, ObservationResultModel::residual).data(Qt::UserRole).toDouble() <=
                    shown->index(row, ObservationResultModel::residual).data(Qt::UserRole).toDouble());

        // A click on an observation of station 100 selects its readings.
        int row100 = -1;
        for (int row = 0; row < shown->rowCount() && row100 < 0; ++row)
            if (shown->index(row, ObservationResultModel::observation).data().toString() == "100")
                row100 = row;
        QVERIFY(row100 >= 0);
        window->observationTable()->scrollTo(shown->index(row100, 0));
        const QRect cell = window->observationTable()->visualRect(shown->index(row100, 1));
        QTest::mouseClick(window->observationTable()->viewport(), Qt::LeftButton, {}, cell.center());
        const CStationList& list = session.List();
        QCOMPARE(list.SelectedCount(), 2);
        for (const int row : list.SelectedRows())
            QCOMPARE(list.Reading(row).m_strStation, std::string("100"));

        const char* tabs[] = {"adjust-stations", "adjust-observations", "adjust-statistics", "adjust-drift",
                              "adjust-histogram"};
        for (int tab = 0; tab < 5; ++tab) {
            window->tabs()->setCurrentIndex(tab);
            MaybeGrab(window, tabs[tab]);
        }
    }

    void flaggedObservationsAreHighlightedAndTiesDrawnOnTheMap()
    {
        NetworkAdjustWindow window([] { return BlunderLoop(); }, {});
        window.show();
        SetDatum(&window, 0, "A", "3000");
        QVERIFY(RunAndWait(&window));
        QVERIFY(window.Result());
        int flagged = 0;
        QAbstractItemModel* shown = window.observationTable()->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            const bool outlier = !shown->index(row, ObservationResultModel::outlier).data().toString().isEmpty();
            const QVariant background = shown->index(row, ObservationResultModel::residual).data(Qt::BackgroundRole);
            QCOMPARE(background.isValid(), outlier);
            if (outlier) {
                QCOMPARE(background.value<QColor>(), ObservationResultModel::OutlierBackground());
                QCOMPARE(shown->index(row, ObservationResultModel::observation).data().toString(), QString("B"));
                ++flagged;
            }
        }
        QCOMPARE(flagged, 1);
        QVERIFY(window.verdictLabel()->text().contains("FAILED"));
        window.tabs()->setCurrentWidget(window.stationMap());
        QVERIFY(window.stationMap()->findChild<QObject*>("note") == nullptr);
        // A right click into the chart offers its export.
        QCOMPARE(window.stationMap()->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(window.stationMap()->actions().contains(window.findChild<QAction*>("actionExportPdf")));
        MaybeGrab(&window, "adjust-map");

        // A run stopped at once leaves the results before it.
        const int rows = shown->rowCount();
        QSignalSpy stopped(&window, &NetworkAdjustWindow::finished);
        QVERIFY(window.Run());
        window.Stop();
        QVERIFY(stopped.count() == 1 || stopped.wait(20000));
        QVERIFY(window.Result());
        QCOMPARE(shown->rowCount(), rows);
        QVERIFY(window.statusBar()->currentMessage().contains("stopped"));
        QVERIFY(window.runButton()->isEnabled());

        // Removing outliers takes the blunder out and lists it.
        window.findChild<QCheckBox*>("removeOutliers")->setChecked(true);
        QVERIFY(RunAndWait(&window));
        QCOMPARE(window.Result()->removed.size(), std::size_t{1});
        QCOMPARE(window.Result()->removed.front().to, std::string("B"));
    }

    void anUnsolvableNetworkOrABadDatumIsSaidPlainly()
    {
        NetworkAdjustWindow window([] { return BlunderLoop(); }, {});
        window.show();
        SetDatum(&window, 0, "A", "3000");
        window.findChild<QCheckBox*>("calibration")->setChecked(true);
        const auto text = AnswerNextMessageBox();
        QVERIFY(RunAndWait(&window));
        QVERIFY(!window.Result());
        QVERIFY2(text->startsWith("The network cannot be adjusted: calibration factors need datums at two stations"),
                 qPrintable(*text));
        QVERIFY(window.verdictLabel()->text().contains("cannot be adjusted"));
        QCOMPARE(window.stationTable()->model()->rowCount(), 0);
        QVERIFY(!window.findChild<QAction*>("actionExportReport")->isEnabled());

        SetDatum(&window, 1, "B", "x");
        const auto refusal = AnswerNextMessageBox();
        QVERIFY(!window.Run());
        QVERIFY2(refusal->startsWith("Datum row 2:"), qPrintable(*refusal));

        // The survey's one loop left out: nothing to adjust, and it stays out.
        SetDatum(&window, 1, "", "");
        QTreeWidgetItem* loop = window.loops()->topLevelItem(0)->child(0);
        QCOMPARE(loop->text(0), QString("day 1"));
        loop->setCheckState(0, Qt::Unchecked);
        const auto allOut = AnswerNextMessageBox();
        QVERIFY(!window.Run());
        QVERIFY2(allOut->startsWith("Every loop is left out"), qPrintable(*allOut));
        QCOMPARE(window.loops()->topLevelItem(0)->child(0)->checkState(0), Qt::Unchecked);

        NetworkAdjustWindow empty([] { return AdjustInput{}; }, {});
        const auto nothing = AnswerNextMessageBox();
        QVERIFY(!empty.Run());
        QVERIFY(nothing->contains("Import a survey first"));
    }
};

QTEST_MAIN(NetworkAdjustWindowTest)
#include "NetworkAdjustWindow_test.moc"
