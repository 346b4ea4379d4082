// A whole drift correction the way the operator makes one: import a loop,
// select the base station's readings, open the Corrections dialog, press
// "Calculate Drift...", calculate a named correction in the drift dialog
// (its plot showing the readings), OK, and read the corrected gravity.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "charts/ChartWidget.h"
#include "corrections/CDlgCorrections.h"
#include "drift/CDlgAddDrift.h"
#include "drift/CDlgDriftCorrect.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CStationList.h"

using namespace bramble;
using namespace bramble::test;

class DriftCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void calculatedLoopCorrectionFromTheCorrectionsDialog()
    {
        CKelpApp app;
        QVERIFY(app.InitInstance({"bramble"}));
        CKelpView* view = app.mainFrame()->view();
        ImportThroughDialogs(app.mainFrame(), BRAMBLE_TEST_DATA "/drift/loop.dat", false);
        CStationList& list = view->StationList();
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.Text(row, CStationList::kStation) == "1000")
                view->SelectRow(row);
        QCOMPARE(list.SelectedCount(), 2);

        auto plotted = std::make_shared<int>(-1);
        auto driftName = std::make_shared<QString>();
        OnNextModal<CDlgCorrections>([plotted, driftName](CDlgCorrections* corrections) {
            Click(corrections, "noTideRadio");
            OnNextModal<CDlgDriftCorrect>([plotted](CDlgDriftCorrect* drift) {
                // The plot shows the two selected readings.
                auto* chart = drift->findChild<ChartWidget*>();
                QVERIFY(chart);
                int points = 0;
                for (int p = 0; p < chart->PointCount(); ++p)
                    points += chart->Y(0, p) != chart->MissingValue();
                *plotted = points;
                OnNextModal<CDlgAddDrift>([](CDlgAddDrift* add) {
                    add->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                });
                Click(drift, "button1158");
                QCOMPARE(drift->findChild<QComboBox*>("combo1152")->currentText(), QString("New Drift Correction"));
                drift->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            });
            Click(corrections, "calculateDriftButton");
            *driftName = corrections->findChild<QLineEdit*>("driftNameEdit")->text();
            Click(corrections, "okButton");
        });
        Click(view, "correctionsButton");

        QCOMPARE(*plotted, 2);
        QCOMPARE(*driftName, QString("New Drift Correction"));
        QCOMPARE(view->Session().Drifts().m_DriftNames, (std::vector<std::string>{"None", "New Drift Correction"}));
        QCOMPARE(view->Session().Drifts().m_DriftNames.size(), app.document().m_DriftCorrections.size());
        QVERIFY(view->Session().Corrections().m_bApplyDrift);
        for (int row = 0; row < list.RowCount(); ++row) {
            if (!list.IsSelected(row))
                continue;
            // Both base readings come out at the first one's gravity: the drift is gone.
            QCOMPARE(QString::fromStdString(list.Text(row, CStationList::kCorrectedGrav)), QString("  100.0000"));
            QCOMPARE(QString::fromStdString(list.Text(row, CStationList::kDriftName)),
                     QString("New Drift Correction*"));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
};

QTEST_MAIN(DriftCommandsTest)
#include "DriftCommands_test.moc"
