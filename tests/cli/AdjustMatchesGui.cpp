// `bramble-cli adjust` and the "Adjust Network" window write the same bytes
// for the same survey, corrections, options and datums: the report, the
// station CSV and the JSON, each compared byte for byte.
#include <QCheckBox>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "../app/output/OutputTestSupport.h"
#include "../app/support/AppTestSupport.h"
#include "adjust/DatumEditor.h"
#include "adjust/NetworkAdjustWindow.h"
#include "adjust/SessionAdjustInput.h"
#include "session/ReductionSession.h"

using namespace bramble;
using namespace bramble::test;

class AdjustMatchesGui : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_settings;
    QString m_cli;

    void Compare(const QString& survey, MeterKind meter, const QStringList& cliOptions,
                 const std::function<void(ReductionSession&)>& correct, const QString& datumStation,
                 const QString& datumGravity, int degree, bool removeOutliers)
    {
        ReductionSession session;
        QVERIFY(session.Import(survey.toStdString(), meter, DefaultAliodHeaderTexts()).Succeeded());
        correct(session);
        NetworkAdjustWindow window([&session] { return SessionAdjustInput({&session}); }, {});
        QTableWidget* datums = window.datums()->table();
        datums->setRowCount(1);
        datums->setItem(0, 0, new QTableWidgetItem(datumStation));
        datums->setItem(0, 1, new QTableWidgetItem(datumGravity));
        window.findChild<QSpinBox*>("driftDegree")->setValue(degree);
        window.findChild<QCheckBox*>("removeOutliers")->setChecked(removeOutliers);
        QSignalSpy finished(&window, &NetworkAdjustWindow::finished);
        QVERIFY(window.Run());
        QVERIFY(finished.wait(20000));
        QVERIFY2(window.Result(), qPrintable(window.LastError()));

        QTemporaryDir dir;
        QVERIFY(window.Export(dir.filePath("gui.txt"), window.ReportBytes()));
        QVERIFY(window.Export(dir.filePath("gui.csv"), window.CsvBytes()));
        QVERIFY(window.Export(dir.filePath("gui.json"), window.JsonBytes()));
        QStringList arguments{"adjust", survey, "--datum", datumStation + "=" + datumGravity, "--drift-degree",
                              QString::number(degree)};
        arguments << cliOptions;
        if (removeOutliers)
            arguments << "--remove-outliers";
        arguments << "--report" << dir.filePath("cli.txt") << "--csv" << dir.filePath("cli.csv") << "--json"
                  << dir.filePath("cli.json");
        QProcess cli;
        cli.start(m_cli, arguments);
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        for (const char* extension : {".txt", ".csv", ".json"}) {
            const QByteArray gui = ReadAll(dir.filePath(QString("gui") + extension));
            QVERIFY(!gui.isEmpty());
            QCOMPARE(gui, ReadAll(dir.filePath(QString("cli") + extension)));
        }
    }

private slots:
    void initTestCase()
    {
        m_settings = UsePrivateSettings();
        m_cli = qEnvironmentVariable("BRAMBLE_CLI");
        QVERIFY2(QFileInfo(m_cli).isExecutable(), "BRAMBLE_CLI must name bramble-cli");
    }

    void cg3WithTheBergerTideAndAPressureEntry()
    {
        Compare(kCg3Example, MeterKind::cg3,
                {"--tide", "berger", "--pressure", "03/12/2019  21:30:12  1003.25", "--nominal-pressure", "1013.25"},
                [](ReductionSession& session) {
                    CorrectionsDialogModel dialog = session.OpenCorrections();
                    dialog.Settings().m_PressureList = {"03/12/2019  21:30:12  1003.25"};
                    dialog.ApplyPressures(dialog.Settings().m_PressureList);
                    dialog.Settings().m_dNominalPressure = 1013.25;
                    dialog.SetTideMode(kTideBerger);
                    session.SelectStations({});
                    session.ApplyCorrections(dialog.Settings());
                },
                "1", "2489.0", 2, true);
    }

    void aliodWithItsDefaultCorrections()
    {
        Compare(kAliodExample, MeterKind::aliod, {}, [](ReductionSession&) {}, "BASE-1", "4000", 1, false);
    }
};

QTEST_MAIN(AdjustMatchesGui)
#include "AdjustMatchesGui.moc"
