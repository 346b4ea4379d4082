// `bramble-cli reduce` writes the same bytes as the program's windows for
// the same choices: each case takes an example survey through the windows
// (import, Corrections dialog, Final Output's "&Export Text", the two
// "Export Selected" commands) and through the command line, and compares
// the files byte for byte.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "../app/output/OutputTestSupport.h"
#include "../app/support/AppTestSupport.h"
#include "../app/support/ImportDriver.h"
#include "corrections/CDlgCorrections.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"
#include "output/CDlgFinalOutput.h"
#include "survey/CDlgAliodHeader.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";
const QString kPolar = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

QString Cell(const CKelpView* view, int row, int column)
{
    const QAbstractItemModel* model = view->table()->model();
    return model->data(model->index(row, column)).toString();
}

void ClickCheckBox(CKelpView* view, int row)
{
    StationTableView* table = view->table();
    const QRect box = table->checkBoxRect(row);
    QVERIFY(!box.isEmpty());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
}

// Closes every message box that comes up while `action` runs (the pipeline's
// Berger / E.T.C. warning) and keeps their texts.
class BoxCloser {
public:
    BoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        m_timer.start(10);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

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
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        m_view = m_app->mainFrame()->view();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->mainFrame()));
        m_out = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_app.reset();
        m_out.reset();
    }

    void cg3WithEveryCorrection()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        QStringList pressures;
        for (const std::string& entry : m_view->m_PressureList)
            pressures << "--pressure" << QString::fromStdString(entry);
        QCOMPARE(pressures.size(), 4);
        {
            BoxCloser boxes;
            auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) {
                Click(dlg, "bergerRadio");
                dlg->findChild<QLineEdit*>("elevationEdit")->setText("1600");
                Click(dlg, "setNominalButton");
                Click(dlg, "applyPressuresButton");
                ChooseNextFile(kPolar);
                Click(dlg, "polarFileButton");
                Click(dlg, "polarApplyCheck");
                Click(dlg, "okButton");
            });
            Click(m_view, "correctionsButton");
            QVERIFY(*shown);
        }
        QVERIFY(m_view->m_Corrections.m_bApplyPolar && m_view->m_Corrections.m_bApplyPressure);
        ExportFromTheWindows();
        RunCli(QStringList{kCg3, "--tide", "berger", "--elevation", "1600", "--polar", kPolar} + pressures);
        CompareOutputs();
    }

    void cg3SomeStationsLongman()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        for (int row = 0; row < m_view->table()->model()->rowCount(); ++row) {
            const QString station = Cell(m_view, row, CStationList::kStation);
            if (station == "1" || station == "103")
                ClickCheckBox(m_view, row);
        }
        QCOMPARE(m_view->StationList().SelectedCount(), 8);
        auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) { Click(dlg, "okButton"); });
        Click(m_view, "correctionsButton");
        QVERIFY(*shown);
        ExportFromTheWindows();
        RunCli({kCg3, "--select", "103", "1"});
        CompareOutputs();
    }

    void aliodWithATypedHeaderAndNoTide()
    {
        auto header = [](CDlgAliodHeader* dlg) {
            dlg->findChild<QLineEdit*>("latitudeEdit")->setText("46.5");
            dlg->findChild<QLineEdit*>("operatorEdit")->setText("Someone");
            Click(dlg, "okButton");
        };
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true, header);
        Click(m_view, "selectAllButton");
        auto shown = OnNextModal<CDlgCorrections>([](CDlgCorrections* dlg) {
            Click(dlg, "noTideRadio");
            Click(dlg, "okButton");
        });
        Click(m_view, "correctionsButton");
        QVERIFY(*shown);
        ExportFromTheWindows();
        RunCli({kAliod, "--aliod", "--lat", "46.5", "--operator", "Someone", "--tide", "none"});
        CompareOutputs();
        QVERIFY(ReadAll(m_out->filePath("gui-final.txt")).contains("46.500"));
    }

private:
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
        m_view->popupMenu()->actions().at(6)->trigger();
        ChooseNextFile(m_out->filePath("gui-report.txt"));
        m_view->popupMenu()->actions().at(7)->trigger();
    }

    void RunCli(QStringList arguments)
    {
        arguments.prepend("reduce");
        arguments << "--final" << m_out->filePath("cli-final.txt") << "--export" << "excel"
                  << m_out->filePath("cli-excel.txt") << "--export" << "report" << m_out->filePath("cli-report.txt");
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
