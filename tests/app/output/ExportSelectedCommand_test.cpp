// "&Export Selected (Excel)" and "Export Selected (Report)" from the
// station list's popup menu: the save dialog, the header lines, the data
// lines in the list's order, the last path offered again, Cancel, and a
// failed write that keeps the old file.
#include <sys/resource.h>

#include <csignal>

#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/StationListDriver.h"
#include "../support/ImportDriver.h"
#include "OutputTestSupport.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";

constexpr int kExcelAction = 6;
constexpr int kReportAction = 7;

// The data line of a row, made from the cells the list shows.
QString DataLine(const CKelpView* view, int row)
{
    QString line;
    for (int column = 0; column < CStationList::kColumnCount; ++column)
        if (!view->table()->isColumnHidden(column))
            line += Cell(view, row, column) + '\t';
    return line + '\n';
}

QStringList Lines(const QByteArray& bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

class ExportSelectedCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
    }
    void cleanup() { m_app.reset(); }

    void popupItemsCarryTheirCaptions()
    {
        const QList<QAction*> actions = m_view->popupMenu()->actions();
        QCOMPARE(actions.at(kExcelAction)->text(), QString("&Export Selected (Excel)"));
        QCOMPARE(actions.at(kReportAction)->text(), QString("Export Selected (Report)"));
    }

    void excelWritesTheHeaderAndTheSelectedRows()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        const int first = FindRow(m_view, "22:15:05", "03/12/2019");
        const int second = FindRow(m_view, "14:25:44", "03/13/2019");
        ClickCheckBox(m_view, first);
        ClickCheckBox(m_view, second);
        const QString path = m_dir.filePath("excel.txt");
        auto filter = std::make_shared<QStringList>();
        auto offered = std::make_shared<QString>();
        OnNextModal<QFileDialog>([path, filter, offered](QFileDialog* chooser) {
            *filter = chooser->nameFilters();
            *offered = QDir(chooser->directory()).filePath(chooser->findChild<QLineEdit*>("fileNameEdit")->text());
            QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(chooser->defaultSuffix().isEmpty());
            chooser->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            static_cast<QDialog*>(chooser)->accept();
        });
        Trigger(kExcelAction);
        QCOMPARE(*filter,
                 (QStringList{"Text Files (*.txt)", "All Files (*)", "Data Files (*.dat)", "ASCII Files (*.asc)"}));
        // The first export is offered beside the data file, with the right
        // extension; the status bar then says where it went.
        QCOMPARE(*offered, QFileInfo(kCg3).absolutePath() + "/cg3-two-blocks-excel.txt");
        QVERIFY2(m_app->mainFrame()->statusBar()->currentMessage().contains(path),
                 qPrintable(m_app->mainFrame()->statusBar()->currentMessage()));
        const QByteArray bytes = ReadAll(path);
        const QStringList lines = Lines(bytes);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].size() + 1, 145);
        QCOMPARE(lines[0], QString("Header\tRecord\tStation\tGrav\tSDev\tTilt X\tTilt Y\tTemp\tE.T.C\tDur\t#Rej\tTime\t"
                                   "Date\tRaw Grav\tCor. Grav\tBerger\tPressure\tPolar\tDrift\tDrift Correction Name"));
        QCOMPARE(bytes.mid(lines[0].size() + 1), (DataLine(m_view, first) + DataLine(m_view, second)).toLatin1());
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(lines[i].count('\t'), 20);
            QVERIFY(lines[i].endsWith('\t'));
        }
    }

    void reportDiffersOnlyInTheHeaderAndTheLastPathIsOffered()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString excel = m_dir.filePath("both-excel.txt");
        const QString report = m_dir.filePath("both-report.txt");
        ChooseNextFile(excel);
        Trigger(kExcelAction);
        auto offered = std::make_shared<QString>();
        OnNextModal<QFileDialog>([report, offered](QFileDialog* chooser) {
            *offered = QDir(chooser->directory()).filePath(chooser->findChild<QLineEdit*>("fileNameEdit")->text());
            chooser->findChild<QLineEdit*>("fileNameEdit")->setText(report);
            static_cast<QDialog*>(chooser)->accept();
        });
        Trigger(kReportAction);
        QCOMPARE(*offered, excel);
        const QStringList a = Lines(ReadAll(excel));
        const QStringList b = Lines(ReadAll(report));
        QCOMPARE(a.size(), 16);
        QCOMPARE(b.size(), 16);
        QCOMPARE(b[0].size() + 1, 177);
        QVERIFY(b[0].startsWith("Header\tRecord\tStation\t  Grav\t\t  SDev\t"));
        QCOMPARE(a.mid(1), b.mid(1));
        QVERIFY(a[0] != b[0]);
    }

    void aliodHeadersNameTheLevels()
    {
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true);
        Click(m_view, "selectAllButton");
        const QString excel = m_dir.filePath("aliod-excel.txt");
        const QString report = m_dir.filePath("aliod-report.txt");
        ChooseNextFile(excel);
        Trigger(kExcelAction);
        ChooseNextFile(report);
        Trigger(kReportAction);
        QCOMPARE(Lines(ReadAll(excel)).value(0).size() + 1, 154);
        QCOMPARE(Lines(ReadAll(report)).value(0).size() + 1, 186);
        QVERIFY(Lines(ReadAll(excel)).value(0).contains("\tCross Level\tLong Level\t"));
    }

    void rowsComeInTheListsOrder()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickHeader(m_view, CStationList::kRelGrav);
        Click(m_view, "selectAllButton");
        QString expected;
        for (int row = 0; row < m_view->table()->model()->rowCount(); ++row)
            expected += DataLine(m_view, row);
        const QString path = m_dir.filePath("sorted.txt");
        ChooseNextFile(path);
        Trigger(kExcelAction);
        const QByteArray bytes = ReadAll(path);
        QCOMPARE(bytes.mid(bytes.indexOf('\n') + 1), expected.toLatin1());
    }

    void cancelWritesNothing()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        auto cancelled = OnNextModal<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        Trigger(kExcelAction);
        QVERIFY(*cancelled);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    }

    void nothingSelectedGivesAnEmptyFile()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectNoneButton");
        const QString path = m_dir.filePath("none.txt");
        ChooseNextFile(path);
        Trigger(kReportAction);
        QVERIFY(QFile::exists(path));
        QCOMPARE(ReadAll(path), QByteArray());
    }

    void aFailedWriteKeepsTheOldFileAndTheNewPath()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString path = m_dir.filePath("old-export.txt");
        WriteAll(path, "the earlier export\n");
        ChooseNextFile(path);
        auto message = std::make_shared<QString>();
        auto caption = std::make_shared<QString>();
        OnNextModal<QMessageBox>([message, caption](QMessageBox* prompt) {
            OnNextModal<QMessageBox>([message, caption](QMessageBox* error) {
                *message = error->text();
                *caption = error->windowTitle();
                error->accept();
            });
            prompt->button(QMessageBox::Yes)->click();  // replace it
        });
        struct rlimit old { };
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 16;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        Trigger(kExcelAction);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY2(message->contains("File too large") && message->contains(path), qPrintable(*message));
        QCOMPARE(*caption, QString("Export Selected"));
        QCOMPARE(ReadAll(path), QByteArray("the earlier export\n"));
        QCOMPARE(m_view->lastExportFile(), path);
    }

private:
    void Trigger(int action) { m_view->popupMenu()->actions().at(action)->trigger(); }

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
    QTemporaryDir m_dir;
};

QTEST_MAIN(ExportSelectedCommandTest)
#include "ExportSelectedCommand_test.moc"
