// The operator's road through the main window: import the example survey,
// select every row, press "&Corrections...", choose every correction in the
// dialog, OK, and read the list's correction columns.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/StationListDriver.h"
#include "../support/ImportDriver.h"
#include "charts/CDisplayDlg.h"
#include "corrections/CDlgCorrections.h"
#include "corrections/CellFormat.h"
#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kPolar = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

}  // namespace

class CorrectionsButtonTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;

private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
    }

    void cleanup() { m_app.reset(); }

    void okAppliesTheChosenCorrectionsToTheSelectedRows()
    {
        m_view->OnSelectAll();
        auto warning = std::make_shared<QString>();
        auto shown = OnNextModal<CDlgCorrections>([warning](CDlgCorrections* dlg) {
            Click(dlg, "bergerRadio");
            dlg->findChild<QLineEdit*>("elevationEdit")->setText("1600");
            Click(dlg, "setNominalButton");
            Click(dlg, "applyPressuresButton");  // the two default entries: 1013.25 hPa
            ChooseNextFile(kPolar);
            Click(dlg, "polarFileButton");
            Click(dlg, "polarApplyCheck");
            // The example's E.T.C. values are not a real tide: the pipeline warns.
            OnNextModal<QMessageBox>([warning](QMessageBox* box) {
                *warning = box->text();
                box->accept();
            });
            Click(dlg, "okButton");
        });
        Click(m_view, "correctionsButton");
        QVERIFY(*shown);
        QVERIFY(warning->contains("E.T.C."));

        const CorrectionSettings& s = m_view->Session().Corrections();
        QCOMPARE(s.m_nTideMode, int(kTideBerger));
        QVERIFY(s.m_bApplyPressure && s.m_bApplyPolar && !s.m_bApplyDrift);
        QCOMPARE(s.m_strPolarFile, kPolar.toStdString());

        const double pressureCorr = PressureCorrection(1013.25, NominalPressureFromElevation(1600.0).value());
        const CStationList& list = m_view->StationList();
        for (int row = 0; row < list.RowCount(); ++row) {
            const CReading& r = list.Reading(row);
            const double polar = PolarMotionCorrection(r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY, 40.03, -105.05);
            QVERIFY(r.m_PolarMotion.m_dY > 0.36);
            QCOMPARE(Cell(m_view, row, CStationList::kBerger), QString::fromStdString(FormatCorrection(r.m_dTideCorr)));
            QVERIFY(r.m_dTideCorr != 0.0);
            QCOMPARE(Cell(m_view, row, CStationList::kPressure),
                     QString::fromStdString(FormatCorrection(pressureCorr)));
            QCOMPARE(Cell(m_view, row, CStationList::kPolarMotion), QString::fromStdString(FormatCorrection(polar)));
            QCOMPARE(Cell(m_view, row, CStationList::kCorrectedGrav),
                     QString::fromStdString(FormatCorrection(r.m_dGravLessEtc + r.m_dTideCorr + pressureCorr + polar)));
            QCOMPARE(Cell(m_view, row, CStationList::kDriftCorrection), QString("    0.0000"));
            QCOMPARE(Cell(m_view, row, CStationList::kDriftName), QString("NONE"));
        }
        QCOMPARE(m_view->Session().Summary().m_nReadings, 15);

        // The warning came with the choice; a plot recomputes without it.
        auto again = std::make_shared<QString>();
        OnNextModal<QMessageBox>(
            [again](QMessageBox* box) {
                *again = box->text();
                box->accept();
            },
            500);
        Click(m_view, "plotButton");
        QVERIFY(m_view->displayWindow() && m_view->displayWindow()->isVisible());
        QTest::qWait(600);
        QCOMPARE(*again, QString());
        m_view->displayWindow()->close();
    }

    void cancelKeepsTheListEditsButNotTheSettings()
    {
        auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) {
            Click(dlg, "noTideRadio");
            Click(dlg, "addEntryButton");
            Click(dlg, "cancelButton");
        });
        Click(m_view, "correctionsButton");
        QVERIFY(*shown);
        QCOMPARE(m_view->Session().Corrections().m_nTideMode, int(kTideLongman));
        QCOMPARE(m_view->Session().Corrections().m_PressureList.size(), std::size_t(3));
        QCOMPARE(Cell(m_view, 0, CStationList::kCorrectedGrav), QString());
    }

    void anImportTurnsThePolarCorrectionOff()
    {
        CorrectionSettings polarOn = m_view->Session().Corrections();
        polarOn.m_bApplyPolar = true;
        polarOn.m_strPolarFile = kPolar.toStdString();
        m_view->Session().ApplyCorrections(polarOn);
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        QVERIFY(!m_view->Session().Corrections().m_bApplyPolar);
        QVERIFY(m_view->Session().Corrections().m_strPolarFile.empty());
    }
};

QTEST_MAIN(CorrectionsButtonTest)
#include "CorrectionsButton_test.moc"
