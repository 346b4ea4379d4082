// The station list as the operator sees it: imports of both examples
// through the real dialogs, the cells of every column, the row order, the
// header sorts, the check box / selection rules and the command buttons.
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/StationListDriver.h"
#include "../support/ImportDriver.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";

}  // namespace

class CKelpViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
    }
    void cleanup() { m_app.reset(); }

    void beforeAnyImportTheListAndButtonsAreDisabled()
    {
        QCOMPARE(m_view->table()->model()->rowCount(), 0);
        QVERIFY(!m_view->table()->isEnabled());
        for (const char* name : {"selectNoneButton", "selectAllButton", "plotButton", "rawButton", "correctionsButton",
                                 "finalOutputButton"})
            QVERIFY2(!m_view->findChild<QPushButton*>(name)->isEnabled(), name);
        QCOMPARE(m_view->findChild<QLineEdit*>("rowsEdit")->text(), QString("0"));
        QCOMPARE(m_view->Session().Drifts().m_DriftNames, std::vector<std::string>{"None"});
        QCOMPARE(m_view->table()->model()->columnCount(), 24);  // and the rejection reason
        QVERIFY(m_view->table()->isColumnHidden(CStationList::kOceanLoad));  // until its correction is on
    }

    void columnsHaveTheirTitlesAndWidths()
    {
        const QAbstractItemModel* model = m_view->table()->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Header"));
        QCOMPARE(model->headerData(15, Qt::Horizontal).toString(), QString("Rel Grav - E.T.C."));
        QCOMPARE(model->headerData(21, Qt::Horizontal).toString(), QString("Drift Correction Name"));
        QVERIFY(m_view->table()->isColumnHidden(CStationList::kStationIndex));
        QVERIFY(m_view->table()->isColumnHidden(CStationList::kDayNumber));
        QCOMPARE(m_view->table()->columnWidth(CStationList::kRelGrav), 85);
        // No title is cut: a column is at least as wide as its title needs.
        QHeaderView* header = m_view->table()->horizontalHeader();
        for (int c = 0; c < CStationList::kColumnCount; ++c)
            if (!m_view->table()->isColumnHidden(c))
                QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
                         qPrintable(model->headerData(c, Qt::Horizontal).toString()));
        QVERIFY(header->sectionSize(CStationList::kCorrectedGrav) > 85);
    }

    void cg3ImportShowsEveryReadingInTimeOrder()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        QCOMPARE(m_view->table()->model()->rowCount(), 15);
        QCOMPARE(m_view->RowCountShown(), 15);
        QCOMPARE(m_view->findChild<QLineEdit*>("rowsEdit")->text(), QString("15"));
        QVERIFY(m_view->table()->isEnabled());
        QVERIFY(m_view->findChild<QPushButton*>("finalOutputButton")->isEnabled());
        const QStringList days = Column(m_view, CStationList::kDayNumber);
        for (int i = 1; i < days.size(); ++i)
            QVERIFY2(days[i - 1].toDouble() <= days[i].toDouble(), qPrintable(days[i]));
        QCOMPARE(m_view->StationList().SortColumn(), 14);
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        MaybeGrab(m_app->mainFrame(), "main-window-cg3");
    }

    void cg3RowShowsEveryColumn()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        const int row = FindRow(m_view, "21:30:12");
        QVERIFY(row >= 0);
        const QStringList expected = {
            "1",        "1", "1",          " 2489.871",        "  0.021",   "-3", "2", "  -0.82", " -0.062", "60", "0",
            "21:30:12", "1", "03/12/2019", " 43536.895972222", " 2489.933", "",   "",  "",        "",        "",   ""};
        for (int c = 0; c < 22; ++c)
            QCOMPARE(Cell(m_view, row, c), expected[c]);
        // A reading of the second block, after midnight of the first.
        const int late = FindRow(m_view, "00:36:58");
        QCOMPARE(Cell(m_view, late, CStationList::kDate), QString("03/13/2019"));
        QCOMPARE(Cell(m_view, late, CStationList::kDur), QString("120"));
        QCOMPARE(Cell(m_view, late, CStationList::kRejected), QString("3"));
        QCOMPARE(Cell(m_view, late, CStationList::kStationIndex), QString("10"));
    }

    void aliodRowShowsLevelsAsTiltsAndZeros()
    {
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true);
        QCOMPARE(m_view->table()->model()->rowCount(), 8);
        const int row = FindRow(m_view, "16:05:10");
        QVERIFY(row >= 0);
        const QStringList expected = {
            "1",        "1", "BASE-1",     " 4023.512",        "  0.000",   "-8", "12", "  35.02", "  0.000", "0", "0",
            "16:05:10", "1", "03/14/2019", " 43538.670254630", " 4023.512", "",   "",   "",        "",        "",  ""};
        for (int c = 0; c < 22; ++c)
            QCOMPARE(Cell(m_view, row, c), expected[c]);
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("aliod-loop.csv - Bramble"));
    }

    void pressureTableHoldsFirstAndLastReading()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        QCOMPARE(m_view->Session().Corrections().m_PressureList.size(), std::size_t(2));
        QCOMPARE(m_view->Session().Corrections().m_PressureList[0], std::string("03/12/2019  21:30:12  1013.25"));
        QCOMPARE(m_view->Session().Corrections().m_PressureList[1], std::string("03/13/2019  15:35:02  1013.25"));
    }

    void secondImportReplacesTheFirst()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickRow(m_view, 2);
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true);
        QCOMPARE(m_view->table()->model()->rowCount(), 8);
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
        QVERIFY(m_view->table()->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(m_view->Session().Corrections().m_PressureList.size(), std::size_t(2));
        QCOMPARE(Cell(m_view, 0, CStationList::kStation), QString("BASE-1"));
    }

    void cancelledImportLeavesTheListAsItWas()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickRow(m_view, 4);
        const QStringList before = Column(m_view, CStationList::kTime);
        OnNextModal<CGDump>([](CGDump* dump) {
            Click(dump, "aliodRadio");
            Click(dump, "cancelButton");
        });
        m_app->mainFrame()->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(Column(m_view, CStationList::kTime), before);
        QVERIFY(Checked(m_view, 4));
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
    }

    void stationHeaderSortsByTheLeadingNumber()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickHeader(m_view, CStationList::kStation);
        QCOMPARE(m_view->StationList().SortColumn(), CStationList::kStation);
        const QStringList stations = Column(m_view, CStationList::kStation);
        for (int i = 1; i < stations.size(); ++i)
            QVERIFY(stations[i - 1].toInt() <= stations[i].toInt());
        QCOMPARE(stations.first(), QString("1"));
        QCOMPARE(stations.last(), QString("104"));
        // Aliod names start with letters: every key is 0.
        ImportThroughDialogs(m_app->mainFrame(), kAliod, true);
        ClickHeader(m_view, CStationList::kStation);
        for (int row = 0; row < 8; ++row)
            QCOMPARE(m_view->StationList().SortKey(row), 0LL);
    }

    void dateAndTimeHeadersSortByTheFullDateTime()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickHeader(m_view, CStationList::kRelGrav);
        QVERIFY(Cell(m_view, 0, CStationList::kTime) != "21:30:12");
        ClickHeader(m_view, CStationList::kTime);
        QCOMPARE(m_view->StationList().SortColumn(), CStationList::kDayNumber);
        // Times after midnight come after the evening before.
        QCOMPARE(Cell(m_view, 0, CStationList::kTime), QString("21:30:12"));
        QCOMPARE(Cell(m_view, 8, CStationList::kTime), QString("00:14:09"));
        ClickHeader(m_view, CStationList::kRelGrav);
        ClickHeader(m_view, CStationList::kDate);
        QCOMPARE(m_view->StationList().SortColumn(), CStationList::kDayNumber);
        QCOMPARE(Cell(m_view, 14, CStationList::kTime), QString("15:35:02"));
        // Clicking again keeps the ascending order.
        ClickHeader(m_view, CStationList::kDate);
        QCOMPARE(Cell(m_view, 0, CStationList::kTime), QString("21:30:12"));
    }

    void theSortedColumnShowsTheSortIndicator()
    {
        QHeaderView* header = m_view->table()->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), -1);  // nothing sorted yet
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), int(CStationList::kTime));  // time order after a load
        for (int column : {int(CStationList::kStation), int(CStationList::kDate), int(CStationList::kDate),
                           int(CStationList::kTime), int(CStationList::kRelGrav)}) {
            ClickHeader(m_view, column);
            QCOMPARE(header->sortIndicatorSection(), column);
            QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);  // there is no descending sort
        }
    }

    void ctrlCCopiesTheSelectedRowsWithTheHeaderLine()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickRow(m_view, 2);
        ClickRow(m_view, 0, Qt::ControlModifier);
        QApplication::clipboard()->clear();
        m_view->table()->setFocus();
        QTest::keySequence(m_app->mainFrame()->windowHandle(), QKeySequence::Copy);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("Header\tRecord\tStation\tRel Grav\t"));
        QCOMPARE(lines[1].split('\t').value(CStationList::kTime), Cell(m_view, 0, CStationList::kTime));
        QCOMPARE(lines[2].split('\t').value(CStationList::kTime), Cell(m_view, 2, CStationList::kTime));
        QCOMPARE(lines[1].count('\t'), lines[0].count('\t'));
    }

    void finalOutputWithNothingSelectedSaysSo()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        auto text = AnswerNextMessageBox();
        Click(m_view, "finalOutputButton");
        QVERIFY2(text->startsWith("No readings are selected."), qPrintable(*text));
    }

    void aSortKeepsTheSelectionWithItsReadings()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        const int row = FindRow(m_view, "22:40:51");
        ClickRow(m_view, row);
        ClickHeader(m_view, CStationList::kRelGrav);
        const int moved = FindRow(m_view, "22:40:51");
        QVERIFY(Checked(m_view, moved));
        QVERIFY(WidgetSelected(m_view, moved));
        QCOMPARE(m_view->StationList().SelectedCount(), 1);
    }

    void plainClickSelectsOneRowAndUnchecksTheOthers()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickCheckBox(m_view, 1);
        ClickCheckBox(m_view, 3);
        QVERIFY(Checked(m_view, 1) && Checked(m_view, 3));
        ClickRow(m_view, 6);
        for (int row = 0; row < 15; ++row) {
            QCOMPARE(Checked(m_view, row), row == 6);
            QCOMPARE(WidgetSelected(m_view, row), row == 6);
            QCOMPARE(m_view->StationList().IsSelected(row), row == 6);
        }
        ClickRow(m_view, 8, Qt::ControlModifier);
        QVERIFY(Checked(m_view, 6) && Checked(m_view, 8));
        QCOMPARE(m_view->StationList().SelectedRows(), (std::vector<int>{6, 8}));
    }

    void checkBoxTogglesOnlyItsOwnRow()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickRow(m_view, 0);
        ClickCheckBox(m_view, 5);
        QVERIFY(WidgetSelected(m_view, 0) && Checked(m_view, 0));
        QVERIFY(WidgetSelected(m_view, 5) && Checked(m_view, 5));
        ClickCheckBox(m_view, 5);
        QVERIFY(!WidgetSelected(m_view, 5) && !Checked(m_view, 5));
        QVERIFY(WidgetSelected(m_view, 0));
        QCOMPARE(m_view->StationList().SelectedRows(), std::vector<int>{0});
    }

    void selectAllAndSelectNone()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(m_view->table()->selectionModel()->selectedRows().size(), 15);
        QVERIFY(Checked(m_view, 14));
        QCOMPARE(m_app->mainFrame()->focusWidget(), static_cast<QWidget*>(m_view->table()));
        Click(m_view, "selectNoneButton");
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
        QVERIFY(m_view->table()->selectionModel()->selectedRows().isEmpty());
        QVERIFY(!Checked(m_view, 0));
        // The popup menu offers the same.
        m_view->popupMenu()->actions().at(3)->trigger();
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        m_view->popupMenu()->actions().at(4)->trigger();
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
    }

    void selectRowAndDeselectRowKeepWidgetAndStateTogether()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        m_view->SelectRow(3);
        QVERIFY(Checked(m_view, 3) && WidgetSelected(m_view, 3));
        QCOMPARE(m_view->table()->currentIndex().row(), 3);
        m_view->DeselectRow(3);
        QVERIFY(!Checked(m_view, 3) && !WidgetSelected(m_view, 3));
    }

    void popupMenuHoldsEveryItemInOrder()
    {
        QStringList texts;
        for (QAction* action : m_view->popupMenu()->actions())
            texts << (action->isSeparator() ? QString("-") : action->text());
        const QStringList expected = {"&Raw...",
                                      "&Plot...",
                                      "-",
                                      "&Select All",
                                      "Select &None",
                                      "-",
                                      "&Export Selected (Excel)",
                                      "Export Selected (Report)",
                                      "-",
                                      "&Calculate Drift...",
                                      "&Apply Corrections...",
                                      "&Final Output",
                                      "-",
                                      "Reject Reading...",
                                      "Restore Reading"};
        QCOMPARE(texts, expected);
    }

    void rawWithNothingSelectedSaysSo()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        auto text = AnswerNextMessageBox();
        Click(m_view, "rawButton");
        QCOMPARE(*text, QString("Error: No file availiable"));
    }

    void driftCommandsOpenTheDriftDialog()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        m_view->OnSelectAll();
        for (const auto& [index, title] :
             {std::pair{9, "Calculate Drift Correction"}, std::pair{10, "Apply Drift Correction"}}) {
            auto seen = std::make_shared<QString>();
            QTimer::singleShot(0, [seen] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                *seen = dialog->windowTitle();
                dialog->reject();
            });
            m_view->popupMenu()->actions().at(index)->trigger();
            QCOMPARE(*seen, QString(title));
        }
        // The first calculation was kept as entry "None"; Cancel kept the names in step.
        QCOMPARE(m_view->Session().Drifts().m_DriftNames.size(), m_app->document().m_DriftCorrections.size());
    }

    void refreshWithAnotherHintChangesNothing()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickRow(m_view, 2);
        m_view->OnUpdate(7);
        QCOMPARE(m_view->table()->model()->rowCount(), 15);
        QVERIFY(Checked(m_view, 2));
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
};

QTEST_MAIN(CKelpViewTest)
#include "CKelpView_test.moc"
