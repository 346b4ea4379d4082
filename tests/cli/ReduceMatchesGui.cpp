// `bramble-cli reduce` writes the same bytes as the program's windows for
// the same choices: each case takes an example survey through the windows
// (import, Corrections dialog, the drift commands, Final Output's "&Export
// Text", the two "Export Selected" commands) and through the command line,
// and compares the files byte for byte.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QProcess>
#include <QtTest>

#include "../app/output/OutputTestSupport.h"
#include "../app/support/AppTestSupport.h"
#include "../app/support/StationListDriver.h"
#include "../app/support/DialogDrivers.h"
#include "../app/support/ImportDriver.h"
#include "corrections/CDlgCorrections.h"
#include "drift/CDlgAddDrift.h"
#include "drift/CDlgDriftCorrect.h"
#include "logger/CLBEditorWnd.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"
#include "output/CDlgFinalOutput.h"
#include "survey/CDlgAliodHeader.h"

using namespace bramble;
using namespace bramble::test;

namespace {

// Checks the rows of the named stations, as the operator clicks them.
void CheckStations(CKelpView* view, const QStringList& stations)
{
    for (int row = 0; row < view->table()->model()->rowCount(); ++row) {
        if (stations.contains(Cell(view, row, CStationList::kStation)))
            ClickCheckBox(view, row);
    }
}

// Triggers the station list's popup-menu command of that text.
void TriggerPopup(CKelpView* view, const QString& text)
{
    for (QAction* action : view->popupMenu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable("no popup command " + text));
}

// The pressure entries as bramble-cli takes them.
QStringList PressureArguments(const std::vector<std::string>& entries)
{
    QStringList arguments;
    for (const std::string& entry : entries)
        arguments << "--pressure" << QString::fromStdString(entry);
    return arguments;
}

// The drift dialog's "&Calculate Drift Correction..." with the small
// dialog's OK: a named correction from the selected readings.
void CalculateNamedCorrection(CDlgDriftCorrect* drift)
{
    auto added = OnNextModal<CDlgAddDrift>([](CDlgAddDrift* add) { PressOk(add); });
    Click(drift, "button1158");
    QVERIFY(*added);
    QCOMPARE(drift->findChild<QComboBox*>("combo1152")->currentText(), QString("New Drift Correction"));
}

void EditDriftLine(CDlgDriftCorrect* drift, const QString& line)
{
    drift->findChild<QLineEdit*>("edit1151")->setText(line);
}

}  // namespace

class ReduceMatchesGuiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_settings = UsePrivateSettings();
        m_cli = qEnvironmentVariable("BRAMBLE_CLI");
        QVERIFY2(QFileInfo(m_cli).isExecutable(), "BRAMBLE_CLI must name bramble-cli");
    }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
        m_out = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_app.reset();
        m_out.reset();
    }

    void cg3WithEveryCorrection()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        Click(m_view, "selectAllButton");
        const QStringList pressures = PressureArguments(m_view->Session().Corrections().m_PressureList);
        QCOMPARE(pressures.size(), 4);
        CorrectionsOk([](CDlgCorrections* dlg) {
            Click(dlg, "bergerRadio");
            dlg->findChild<QLineEdit*>("elevationEdit")->setText("1600");
            Click(dlg, "setNominalButton");
            Click(dlg, "applyPressuresButton");
            ChooseNextFile(kPolarExample);
            Click(dlg, "polarFileButton");
            Click(dlg, "polarApplyCheck");
        });
        QVERIFY(m_view->Session().Corrections().m_bApplyPolar && m_view->Session().Corrections().m_bApplyPressure);
        ExportFromTheWindows();
        RunCli(QStringList{kCg3Example, "--tide", "berger", "--elevation", "1600", "--polar", kPolarExample} +
               pressures);
        CompareOutputs();
    }

    // Ocean loading with a distance that leaves some stations without a
    // block: the column, the exports and the final table alike.
    void cg3OceanLoading()
    {
        const QString blq = BRAMBLE_TEST_DATA "/oceanload/cg3-two-blocks.blq";
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        Click(m_view, "selectAllButton");
        CorrectionsOk([blq](CDlgCorrections* dlg) {
            Click(dlg, "bergerRadio");
            dlg->findChild<QLineEdit*>("blqDistanceEdit")->setText("1");
            ChooseNextFile(blq);
            Click(dlg, "blqFileButton");  // the stations without a block are named in a message box
        });
        QVERIFY(m_view->Session().Corrections().m_bApplyOceanLoad);
        QVERIFY(!m_view->table()->isColumnHidden(CStationList::kOceanLoad));
        ExportFromTheWindows();
        RunCli({kCg3Example, "--tide", "berger", "--ocean-load", blq, "--ocean-load-distance", "1"});
        CompareOutputs();
        QVERIFY(ReadAll(m_out->filePath("gui-excel.txt")).contains("\tOcean Loading\n"));
    }

    void cg3SomeStationsLongman()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        CheckStations(m_view, {"1", "103"});
        QCOMPARE(m_view->StationList().SelectedCount(), 8);
        CorrectionsOk();
        ExportFromTheWindows();
        RunCli({kCg3Example, "--select", "103", "1"});
        CompareOutputs();
    }

    void aliodWithATypedHeaderAndNoTide()
    {
        auto header = [](CDlgAliodHeader* dlg) {
            dlg->findChild<QLineEdit*>("latitudeEdit")->setText("46.5");
            dlg->findChild<QLineEdit*>("operatorEdit")->setText("Someone");
            Click(dlg, "okButton");
        };
        ImportThroughDialogs(m_app->mainFrame(), kAliodExample, true, header);
        Click(m_view, "selectAllButton");
        CorrectionsOk([](CDlgCorrections* dlg) { Click(dlg, "noTideRadio"); });
        ExportFromTheWindows();
        RunCli({kAliodExample, "--aliod", "--lat", "46.5", "--operator", "Someone", "--tide", "none"});
        CompareOutputs();
        QVERIFY(ReadAll(m_out->filePath("gui-final.txt")).contains("46.500"));
    }

    // Typed pressure entries and a typed nominal pressure.
    void cg3NominalPressureWithPressureEntries()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        Click(m_view, "selectAllButton");
        CorrectionsOk([](CDlgCorrections* dlg) {
            auto* entries = dlg->findChild<QListWidget*>("pressureList");
            EditPressureEntry(entries, 0, "03/12/2019  21:30:12  836.4");
            EditPressureEntry(entries, 1, "03/13/2019  15:35:02  834.9");
            dlg->findChild<QLineEdit*>("nominalPressureEdit")->setText("835.5");
            Click(dlg, "applyPressuresButton");
        });
        QVERIFY(m_view->Session().Corrections().m_bApplyPressure);
        QCOMPARE(m_view->Session().Corrections().m_dNominalPressure, 835.5);
        ExportFromTheWindows();
        RunCli(QStringList{kCg3Example, "--nominal-pressure", "835.5"} +
               PressureArguments(m_view->Session().Corrections().m_PressureList));
        CompareOutputs();
    }

    // "&Calculate Drift..." and OK: the least-squares line of every reading.
    void cg3DriftAuto()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        Click(m_view, "selectAllButton");
        CorrectionsOk();
        DriftCommandOk("&Calculate Drift...", [](CDlgDriftCorrect*) {});
        QVERIFY(m_view->Session().Corrections().m_bApplyDrift);
        ExportFromTheWindows();
        RunCli({kCg3Example, "--drift", "auto"});
        CompareOutputs();
    }

    // The same with the drift line edited before OK.
    void cg3DriftLine()
    {
        const QString line = "03/12/2019  21:30:12  -0.350 0.010";
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        Click(m_view, "selectAllButton");
        CorrectionsOk();
        DriftCommandOk("&Calculate Drift...", [line](CDlgDriftCorrect* drift) { EditDriftLine(drift, line); });
        ExportFromTheWindows();
        RunCli({kCg3Example, "--drift-line", line});
        CompareOutputs();
    }

    // A CG-6 survey: the Berger tide at each reading's own position, then
    // the least-squares drift line.
    void cg6BergerDriftAuto()
    {
        const QString cg6 = BRAMBLE_TEST_DATA "/meters/CG-6_TestData.dat";
        ImportMeterFile(m_app->mainFrame(), cg6, "cg6Radio");
        Click(m_view, "selectAllButton");
        CorrectionsOk([](CDlgCorrections* dlg) { Click(dlg, "bergerRadio"); });
        DriftCommandOk("&Calculate Drift...", [](CDlgDriftCorrect*) {});
        ExportFromTheWindows();
        RunCli({cg6, "--tide", "berger", "--drift", "auto"});
        CompareOutputs();
    }

    // A named correction calculated from the base station's readings alone,
    // then applied to every reading.
    void cg3DriftBase() { DriftFromBaseReadings({}); }

    // The same with the calculated line edited before OK.
    void cg3DriftBaseWithAnEditedLine() { DriftFromBaseReadings("03/12/2019  21:30:12  -0.300"); }

private:
    void DriftFromBaseReadings(const QString& editedLine)
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        CheckStations(m_view, {"1"});
        QCOMPARE(m_view->StationList().SelectedCount(), 6);
        CorrectionsOk();
        DriftCommandOk("&Calculate Drift...", [editedLine](CDlgDriftCorrect* drift) {
            CalculateNamedCorrection(drift);
            if (!editedLine.isEmpty())
                EditDriftLine(drift, editedLine);
        });
        Click(m_view, "selectAllButton");
        DriftCommandOk("&Apply Corrections...",
                       [](CDlgDriftCorrect* drift) { drift->findChild<QComboBox*>("combo1152")->setCurrentIndex(1); });
        QCOMPARE(m_view->Session().Drifts().m_DriftNames, (std::vector<std::string>{"None", "New Drift Correction"}));
        ExportFromTheWindows();
        QStringList arguments{kCg3Example, "--drift-base", "1"};
        if (!editedLine.isEmpty())
            arguments << "--drift-line" << editedLine;
        RunCli(arguments);
        CompareOutputs();
        QVERIFY(ReadAll(m_out->filePath("gui-excel.txt")).contains("New Drift Correction*"));
    }

    // "&Corrections...": `choose` sets the dialog up, then OK. The message
    // boxes the pipeline shows on the way are closed.
    void CorrectionsOk(const std::function<void(CDlgCorrections*)>& choose = {})
    {
        BoxCloser boxes;
        auto shown = OnNextModal<CDlgCorrections>([choose](CDlgCorrections* dlg) {
            if (choose)
                choose(dlg);
            Click(dlg, "okButton");
        });
        Click(m_view, "correctionsButton");
        QVERIFY(*shown);
    }

    // A drift command of the popup menu: `operate` works the drift dialog,
    // then OK.
    void DriftCommandOk(const QString& command, const std::function<void(CDlgDriftCorrect*)>& operate)
    {
        auto shown = OnNextModal<CDlgDriftCorrect>([operate](CDlgDriftCorrect* drift) {
            operate(drift);
            PressOk(drift);
        });
        TriggerPopup(m_view, command);
        QVERIFY(*shown);
    }

    // "&Final Output..." and "&Export Text", then both "Export Selected" commands.
    void ExportFromTheWindows()
    {
        const QString final = m_out->filePath("gui-final.txt");
        auto done = OnNextModal<CDlgFinalOutput>([final](CDlgFinalOutput* dialog) {
            ChooseNextFile(final);
            Click(dialog, "exportTextButton");
            Click(dialog, "okButton");
        });
        Click(m_view, "finalOutputButton");
        QVERIFY(*done);
        ChooseNextFile(m_out->filePath("gui-excel.txt"));
        TriggerPopup(m_view, "&Export Selected (Excel)");
        ChooseNextFile(m_out->filePath("gui-report.txt"));
        TriggerPopup(m_view, "Export Selected (Report)");
    }

    void RunCli(QStringList arguments)
    {
        arguments.prepend("reduce");
        arguments << "--final" << m_out->filePath("cli-final.txt") << "--export"
                  << "excel" << m_out->filePath("cli-excel.txt") << "--export"
                  << "report" << m_out->filePath("cli-report.txt");
        QProcess cli;
        cli.start(m_cli, arguments);
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY2(cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0,
                 cli.readAllStandardError().constData());
    }

    void CompareOutputs()
    {
        for (const char* name : {"final", "excel", "report"}) {
            const QByteArray gui = ReadAll(m_out->filePath(QString("gui-%1.txt").arg(name)));
            const QByteArray cli = ReadAll(m_out->filePath(QString("cli-%1.txt").arg(name)));
            QVERIFY2(!gui.isEmpty(), name);
            QCOMPARE(cli, gui);
        }
    }

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<QTemporaryDir> m_out;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
    QString m_cli;
};

QTEST_MAIN(ReduceMatchesGuiTest)
#include "ReduceMatchesGui.moc"
