// The raw data window as the operator reaches it: the Raw command (form
// button and popup), "Error: No file availiable", the lines of the data
// file for the selected readings, OK hiding the window, the list box
// following the window's size, "Print" to a PDF file, and an Aliod survey.
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "../output/OutputTestSupport.h"
#include "../support/AppTestSupport.h"
#include "../support/StationListDriver.h"
#include "../support/ImportDriver.h"
#include "logger/CListBoxEx.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CRawDlg.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";
const QString kThreeBlocks = BRAMBLE_TEST_DATA "/raw/cg3-three-blocks.dat";

// The file's lines without their line ends (the example has CR LF).
QStringList FileLines(const QString& path)
{
    QStringList lines = QString::fromLatin1(ReadAll(path)).remove('\r').split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CRawDlg* RawWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* raw = qobject_cast<CRawDlg*>(widget))
            return raw;
    return nullptr;
}

}  // namespace

class CRawDlgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
    }
    void cleanup()
    {
        m_app.reset();
        QVERIFY(!RawWindow());  // the window goes with the view
    }

    void nothingSelectedSaysSoAndShowsNoWindow()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectNoneButton");
        auto icon = std::make_shared<int>(-1);
        auto text = std::make_shared<QString>();
        OnNextModal<QMessageBox>([icon, text](QMessageBox* box) {
            *text = box->text();
            *icon = box->icon();
            box->accept();
        });
        Click(m_view, "rawButton");
        QCOMPARE(*text, QString("Error: No file availiable"));
        QCOMPARE(*icon, int(QMessageBox::NoIcon));
        QVERIFY(!RawWindow() || !RawWindow()->isVisible());
    }

    void showsTheBlockHeaderAndTheSelectedReadingLines()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickCheckBox(m_view, FindRow(m_view, "22:15:05", "03/12/2019"));
        ClickCheckBox(m_view, FindRow(m_view, "23:05:33", "03/12/2019"));
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QVERIFY(raw);
        QVERIFY(QTest::qWaitForWindowExposed(raw));
        QCOMPARE(raw->windowTitle(), QString("RawText"));
        QVERIFY(!raw->isModal());
        QVERIFY(!raw->parentWidget());  // without owner
        QCOMPARE(raw->listBox()->property("controlId").toInt(), 1063);
        const QStringList file = FileLines(kCg3);
        QStringList expected = file.mid(0, 13);
        QVERIFY(expected.last().contains("Station"));
        expected << file.filter("22:15:05") << file.filter("23:05:33");
        QCOMPARE(raw->Lines(), expected);
        QCOMPARE(raw->m_strFile, kCg3);
        // The check boxes still equal the selection.
        QCOMPARE(m_view->StationList().SelectedCount(), 2);
        MaybeGrab(raw, "raw-text");
    }

    void aReadingOfALaterBlockBringsTheLineBeforeAndItsHeader()
    {
        ImportThroughDialogs(m_app->mainFrame(), kThreeBlocks, false);
        ClickCheckBox(m_view, FindRow(m_view, "09:00:30", "04/03/2019"));
        QAction* action = m_view->popupMenu()->actions().at(0);
        QCOMPARE(action->text(), QString("&Raw..."));
        action->trigger();
        CRawDlg* raw = RawWindow();
        QVERIFY(raw && raw->isVisible());
        const QStringList file = FileLines(kThreeBlocks);
        const int reading = file.indexOf(QRegularExpression("^ +31\\. .*09:00:30$"));
        QVERIFY(reading > 0);
        int station = reading;
        while (!file[station].contains("Station"))
            --station;
        int dashes = station - 1;
        while (!file[dashes].startsWith("SCINTREX"))
            --dashes;
        while (!file[dashes].startsWith("-----"))
            --dashes;  // the line that ended block 2
        QStringList expected = file.mid(dashes, station - dashes);
        expected << file[reading];
        QCOMPARE(raw->Lines(), expected);
    }

    void okHidesTheWindowAndRawShowsItAgain()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QVERIFY(raw && raw->isVisible());
        Click(raw, "okButton");
        QVERIFY(!raw->isVisible());
        Click(m_view, "selectNoneButton");
        ClickCheckBox(m_view, FindRow(m_view, "14:00:21", "03/13/2019"));
        Click(m_view, "rawButton");
        QCOMPARE(RawWindow(), raw);  // the same window, rebuilt
        QVERIFY(raw->isVisible());
        QCOMPARE(raw->Lines().last(), FileLines(kCg3).filter("14:00:21").value(0));
    }

    void theListBoxFollowsTheWindowsSize()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QVERIFY(QTest::qWaitForWindowExposed(raw));
        const QSize before = raw->listBox()->size();
        raw->resize(raw->width() + 120, raw->height() + 80);
        QTRY_COMPARE(raw->listBox()->size(), before + QSize(120, 80));
    }

    void theStationListKeepsItsOrder()
    {
        ImportThroughDialogs(m_app->mainFrame(), kThreeBlocks, false);
        ClickHeader(m_view, CStationList::kRelGrav);
        Click(m_view, "selectAllButton");
        const QStringList before = Column(m_view, CStationList::kStationIndex);
        const int sortColumn = m_view->StationList().SortColumn();
        Click(m_view, "rawButton");
        QCOMPARE(Column(m_view, CStationList::kStationIndex), before);
        QCOMPARE(m_view->StationList().SortColumn(), sortColumn);
        // Every reading line is there, in file order.
        QCOMPARE(RawWindow()->Lines().filter(QRegularExpression("^ +\\d+\\. ")).size(), 10);
    }

    void printPrintsEveryLineWithPageBreaks()
    {
        const QString survey = WriteLongSurvey(m_dir.path(), 150);
        ImportThroughDialogs(m_app->mainFrame(), survey, false);
        Click(m_view, "selectAllButton");
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QVERIFY(raw);
        const QStringList shown = raw->Lines();
        QCOMPARE(shown.size(), 13 + 150);
        const QString pdf = m_dir.filePath("raw.pdf");
        auto checked = std::make_shared<bool>(false);
        OnNextModal<QPrintDialog>([pdf, checked](QPrintDialog* dialog) {
            // "Selection" is preselected, page numbers are not offered.
            *checked = dialog->printRange() == QAbstractPrintDialog::Selection &&
                       dialog->testOption(QAbstractPrintDialog::PrintSelection) &&
                       !dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            dialog->findChild<QLineEdit*>("filename")->setText(pdf);
            dialog->accept();
        });
        Click(raw, "printButton");
        QVERIFY(*checked);
        const QStringList pages = PdfPages(pdf);
        QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
        QStringList printed;
        for (int p = 0; p < pages.size(); ++p) {
            QStringList lines = TextLines(pages[p]);
            QCOMPARE(lines.value(0), QString("Bramble %1").arg(p + 1));
            printed << lines.mid(1);
        }
        QStringList expected;
        for (const QString& line : shown)
            if (!line.simplified().isEmpty())
                expected << line.simplified();
        QCOMPARE(printed, expected);
    }

    void aliodShowsTheTypedHeaderAndTheWholeFile()
    {
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true);
        Click(m_view, "selectAllButton");
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QVERIFY(raw);
        const QString rule(79, '-');
        QStringList expected{rule,
                             "Serial Number: 123456789",
                             "Average Latitude of Survey Area:  40.02885",
                             "Average Longitude of Survey Area: -105.04603",
                             "Operator: NONE",
                             "Operation Temperature:   90.5000",
                             rule};
        expected << FileLines(kAliod);
        QCOMPARE(raw->Lines(), expected);
    }

    void aDataFileThatIsGoneIsReportedAndLeavesTheTextEmpty()
    {
        const QString copy = m_dir.filePath("gone.dat");
        QFile::remove(copy);
        QVERIFY(QFile::copy(kCg3, copy));
        ImportThroughDialogs(m_app->mainFrame(), copy, false);
        Click(m_view, "selectAllButton");
        Click(m_view, "rawButton");
        QVERIFY(!RawWindow()->Lines().isEmpty());
        QVERIFY(QFile::remove(copy));
        auto text = AnswerNextMessageBox();
        Click(m_view, "rawButton");
        QVERIFY2(text->contains("Cannot open the data file") && text->contains(copy), qPrintable(*text));
        QVERIFY(RawWindow()->Lines().isEmpty());
    }

    void thePlotCommandRebuildsAnOpenRawWindow()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickCheckBox(m_view, FindRow(m_view, "21:30:12", "03/12/2019"));
        Click(m_view, "rawButton");
        CRawDlg* raw = RawWindow();
        QCOMPARE(raw->Lines().last(), FileLines(kCg3).filter("21:30:12").value(0));
        ClickCheckBox(m_view, FindRow(m_view, "21:31:20", "03/12/2019"));
        Click(m_view, "plotButton");
        QCOMPARE(raw->Lines().last(), FileLines(kCg3).filter("21:31:20").value(0));
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
    QTemporaryDir m_dir;
};

QTEST_MAIN(CRawDlgTest)
#include "CRawDlg_test.moc"
