// The whole reduction of the CG-3 example the way the user's guide walks
// through it: import, select, corrections, plot, drift from the base
// station, drift applied to every reading, final table, raw data. Each step
// checks what the operator would see next. With BRAMBLE_SCREENSHOTS naming a
// folder, the windows of the guide are saved there as PNG files
// (scripts/make-screenshots.sh runs this under a real X server).
#include <cmath>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/DialogDrivers.h"
#include "../support/ImportDriver.h"
#include "charts/CDisplayDlg.h"
#include "charts/ChartWidget.h"
#include "corrections/CDlgCorrections.h"
#include "drift/CDlgAddDrift.h"
#include "drift/CDlgDriftCorrect.h"
#include "logger/CLBEditorWnd.h"
#include "logger/CListBoxEx.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CRawDlg.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"
#include "output/CDlgFinalOutput.h"

using namespace bramble;
using namespace bramble::test;

class WorkflowTourTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        m_frame = m_app->mainFrame();
        m_view = m_frame->view();
        if (!qEnvironmentVariableIsEmpty("BRAMBLE_SCREENSHOTS")) {
            // The same size on every machine, whatever the screen.
            m_frame->showNormal();
            m_frame->setGeometry(0, 0, 1180, 700);
        }
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    }
    void cleanup() { m_app.reset(); }

    void cg3SurveyFromImportToFinalTable()
    {
        // Import: GDump in "ASCII File" mode with the example listed.
        OnNextModal<CGDump>([](CGDump* dump) {
            Click(dump, "asciiFileRadio");
            ChooseNextFile(kCg3Example);
            Click(dump, "asciiBrowseButton");
            QCOMPARE(dump->List()->count(), 48);
            MaybeGrab(dump, "guide-gdump");
            Click(dump, "okButton");
        });
        QSignalSpy imported(m_frame->importCommand(), &ImportCommand::imported);
        m_frame->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(imported.count(), 1);
        CStationList& list = m_view->StationList();
        QCOMPARE(list.RowCount(), 15);

        Click(m_view, "selectAllButton");
        QCOMPARE(list.SelectedCount(), 15);

        // Corrections: the meter's own tide correction, pressure from the
        // elevation, polar motion. No message may come up on the way.
        BoxCloser boxes;
        {
            auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) {
                QVERIFY(dlg->findChild<QRadioButton*>("longmanRadio")->isChecked());
                dlg->findChild<QLineEdit*>("elevationEdit")->setText("1600");
                Click(dlg, "setNominalButton");
                auto* pressures = dlg->findChild<QListWidget*>("pressureList");
                EditPressureEntry(pressures, 0, "03/12/2019  21:30:12  836.4");
                EditPressureEntry(pressures, 1, "03/13/2019  15:35:02  834.9");
                Click(dlg, "applyPressuresButton");
                ChooseNextFile(kPolarExample);
                Click(dlg, "polarFileButton");
                Click(dlg, "polarApplyCheck");
                MaybeGrab(dlg, "guide-corrections");
                Click(dlg, "okButton");
            });
            Click(m_view, "correctionsButton");
            QVERIFY(*shown);
        }
        QVERIFY(m_view->Session().Corrections().m_bApplyPressure && m_view->Session().Corrections().m_bApplyPolar);
        // 836.4 hPa against 835.23 at 1600 m: +0.35 microGal at the first reading.
        QCOMPARE(QString::fromStdString(list.Text(0, CStationList::kPressure)), QString("    0.0003"));
        for (int row = 0; row < list.RowCount(); ++row) {
            QVERIFY(list.Text(row, CStationList::kBerger) != "NONE");
            QVERIFY(list.Text(row, CStationList::kPolarMotion) != "NONE");
        }
        m_view->table()->scrollToTop();
        MaybeGrab(m_frame, "guide-main-window");

        // Station Information plot of the selection.
        Click(m_view, "plotButton");
        QVERIFY(m_view->displayWindow() && m_view->displayWindow()->isVisible());
        m_view->displayWindow()->resize(900, 620);
        // The Berger tide beside gravity as read (not centred on its mean):
        // gravity moves to an axis of its own.
        if (auto* subtract = m_view->displayWindow()->findChild<QCheckBox*>("check1108"); subtract->isChecked())
            subtract->click();
        m_view->displayWindow()->findChild<QCheckBox*>("check1140")->click();
        QVERIFY(m_view->displayWindow()->chart()->IsRightAxisShown());
        QTest::qWait(50);
        MaybeGrab(m_view->displayWindow(), "guide-plot");
        m_view->displayWindow()->close();

        // Drift from the base station's readings: calculate, name it, OK.
        m_view->OnSelectNone();
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.Text(row, CStationList::kStation) == "1")
                m_view->SelectRow(row);
        QVERIFY(list.SelectedCount() >= 2);
        OnNextModal<CDlgDriftCorrect>([](CDlgDriftCorrect* drift) {
            OnNextModal<CDlgAddDrift>([](CDlgAddDrift* add) {
                // Calculate mode: only the rate may be changed.
                QVERIFY(!add->findChild<QLineEdit*>("edit1159")->isEnabled());
                MaybeGrab(add, "guide-drift-name");
                PressOk(add);
            });
            Click(drift, "button1158");
            QCOMPARE(drift->findChild<QComboBox*>("combo1152")->currentText(), QString("New Drift Correction"));
            MaybeGrab(drift, "guide-drift");
            PressOk(drift);
        });
        m_view->OnCalculateDrift();
        QCOMPARE(m_view->Session().Drifts().m_DriftNames, (std::vector<std::string>{"None", "New Drift Correction"}));

        // The drift applied to every reading.
        Click(m_view, "selectAllButton");
        OnNextModal<CDlgDriftCorrect>([](CDlgDriftCorrect* drift) {
            drift->findChild<QComboBox*>("combo1152")->setCurrentIndex(1);
            PressOk(drift);
        });
        m_view->OnApplyDriftCorrections();
        // The readings that defined the drift keep their starred name.
        for (int row = 0; row < list.RowCount(); ++row) {
            const bool base = list.Text(row, CStationList::kStation) == "1";
            QCOMPARE(QString::fromStdString(list.Text(row, CStationList::kDriftName)),
                     QString(base ? "New Drift Correction*" : "New Drift Correction"));
        }

        // The final table: one row per station.
        auto stations = std::make_shared<int>(-1);
        OnNextModal<CDlgFinalOutput>([stations](CDlgFinalOutput* final) {
            *stations = final->findChild<QTableWidget*>("finalList")->rowCount();
            final->resize(900, 420);
            QTest::qWait(50);
            MaybeGrab(final, "guide-final-output");
            Click(final, "okButton");
        });
        Click(m_view, "finalOutputButton");
        QCOMPARE(*stations, 6);  // stations 1, 100, 101, 102, 103, 104

        // The meter's own lines of the selected readings.
        Click(m_view, "rawButton");
        QVERIFY(m_view->rawWindow() && m_view->rawWindow()->isVisible());
        m_view->rawWindow()->resize(760, 480);
        QTest::qWait(50);
        MaybeGrab(m_view->rawWindow(), "guide-raw");
        m_view->rawWindow()->hide();
        QCOMPARE(boxes.texts, QStringList());
    }

    void cg6SurveyFromImportToFinalTable()
    {
        // Import with the meter type CG-6, then every reading with the
        // Berger tide at each reading's own position.
        ImportMeterFile(m_frame, BRAMBLE_TEST_DATA "/meters/CG-6_TestData.dat", "cg6Radio");
        CStationList& list = m_view->StationList();
        QVERIFY(list.RowCount() > 40);
        Click(m_view, "selectAllButton");
        BoxCloser boxes;
        {
            auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) {
                QVERIFY(dlg->findChild<QRadioButton*>("longmanRadio")->isEnabled());
                Click(dlg, "bergerRadio");
                Click(dlg, "okButton");
            });
            Click(m_view, "correctionsButton");
            QVERIFY(*shown);
        }
        for (int row = 0; row < list.RowCount(); ++row) {
            // The meter's tide out, the computed one in: they differ by a few microGal.
            const double etc = std::stod(list.Text(row, CStationList::kEtc));
            QVERIFY(std::abs(std::stod(list.Text(row, CStationList::kBerger)) - etc) < 0.002);
            QCOMPARE(QString::fromStdString(list.Text(row, CStationList::kRejected)), QString());
        }

        // Drift from the first station's readings, applied to every reading.
        m_view->OnSelectNone();
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.Text(row, CStationList::kStation) == "RMCL_1")
                m_view->SelectRow(row);
        OnNextModal<CDlgDriftCorrect>([](CDlgDriftCorrect* drift) {
            OnNextModal<CDlgAddDrift>([](CDlgAddDrift* add) { PressOk(add); });
            Click(drift, "button1158");
            PressOk(drift);
        });
        m_view->OnCalculateDrift();
        Click(m_view, "selectAllButton");
        OnNextModal<CDlgDriftCorrect>([](CDlgDriftCorrect* drift) {
            drift->findChild<QComboBox*>("combo1152")->setCurrentIndex(1);
            PressOk(drift);
        });
        m_view->OnApplyDriftCorrections();
        m_view->table()->scrollToTop();
        MaybeGrab(m_frame, "guide-station-list-cg6");

        auto stations = std::make_shared<int>(-1);
        OnNextModal<CDlgFinalOutput>([stations](CDlgFinalOutput* final) {
            *stations = final->findChild<QTableWidget*>("finalList")->rowCount();
            Click(final, "okButton");
        });
        Click(m_view, "finalOutputButton");
        QVERIFY(*stations >= 3);  // RMCL_1, RMCL_2, RMCL_3 ...
        QCOMPARE(boxes.texts, QStringList());
    }

    void aliodFileWithItsHeader()
    {
        auto header = [](CDlgAliodHeader* dlg) {
            dlg->findChild<QLineEdit*>("latitudeEdit")->setText("46.5");
            MaybeGrab(dlg, "guide-aliod-header");
            Click(dlg, "okButton");
        };
        ImportThroughDialogs(m_frame, kAliodExample, true, header);
        QCOMPARE(m_view->StationList().RowCount(), 8);
        QCOMPARE(QString::fromStdString(m_view->StationList().Text(0, CStationList::kStation)), QString("BASE-1"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CMainFrame* m_frame = nullptr;
    CKelpView* m_view = nullptr;
};

QTEST_MAIN(WorkflowTourTest)
#include "WorkflowTour_test.moc"
