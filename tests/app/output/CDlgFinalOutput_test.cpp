// The final output as the operator reaches it: "&Final Output..." on the
// example survey, the "Final Output Dialog" and its list, "&Print" to a PDF
// file through the print dialog, "&Export Text" through the save dialog,
// a failed export, and the station list's order after the dialog.
#include <sys/resource.h>

#include <csignal>

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/StationListDriver.h"
#include "../support/ImportDriver.h"
#include "OutputTestSupport.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"
#include "output/CDlgFinalOutput.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kColumnLine =
    "Date            Time           Station      Latitude     Longitude    Gravity        SDev       # Of Points";

QStringList ListColumn(const QTableWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->item(row, column)->text();
    return texts;
}

QStringList StationColumn(const CKelpView* view)
{
    QStringList texts;
    const QAbstractItemModel* model = view->table()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->data(model->index(row, CStationList::kStationIndex)).toString();
    return texts;
}

}  // namespace

class CDlgFinalOutputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
    }
    void cleanup() { m_app.reset(); }

    void listShowsOneRowPerStationInStationOrder()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        // A large desktop font: no text may be cut.
        const QFont usual = QApplication::font();
        QFont large = usual;
        large.setPointSizeF(usual.pointSizeF() * 1.6);
        QApplication::setFont(large);
        const auto restore = qScopeGuard([usual] { QApplication::setFont(usual); });
        bool seen = false;
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            seen = true;
            QCOMPARE(dialog->windowTitle(), QString("Final Output Dialog"));
            QVERIFY(dialog->isModal());
            QTableWidget* list = dialog->list();
            QCOMPARE(list->property("controlId").toInt(), 1166);
            QStringList titles;
            QList<int> widths;
            for (int c = 0; c < list->columnCount(); ++c) {
                titles << list->horizontalHeaderItem(c)->text();
                widths << list->columnWidth(c);
            }
            QCOMPARE(titles, (QStringList{"Time", "Date", "Station", "Latitude", "Longitude", "Gravity", "SDev",
                                          "# of Points"}));
            // The set widths at least, and wide enough for every text.
            const QList<int> setWidths{75, 75, 65, 65, 65, 65, 65, 75};
            for (int c = 0; c < list->columnCount(); ++c) {
                QVERIFY(widths[c] >= setWidths[c]);
                for (int r = 0; r < list->rowCount(); ++r)
                    QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(r, c)->text()) < widths[c],
                             qPrintable(list->item(r, c)->text()));
            }
            QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
            QVERIFY(list->showGrid());
            QCOMPARE(ListColumn(list, 2), (QStringList{"1", "100", "101", "102", "103", "104"}));
            QCOMPARE(ListColumn(list, 7), (QStringList{"6", "2", "2", "2", "2", "1"}));
            // Station 103: two readings 44 minutes 52 seconds apart, the mean between them.
            QCOMPARE(list->item(4, 0)->text(), QString("14:48:10"));
            QCOMPARE(list->item(4, 1)->text(), QString("03/13/2019"));
            QCOMPARE(list->item(4, 5)->text(), QString(" 2455.624"));
            QCOMPARE(list->item(4, 6)->text(), QString("    0.0065"));
            // Station 104: one reading keeps its own deviation.
            QCOMPARE(list->item(5, 6)->text(), QString("    0.0330"));
            QCOMPARE(list->item(5, 3)->text(), QString("   40.030"));
            QCOMPARE(list->item(5, 4)->text(), QString("  105.050"));
            for (const char* name : {"printButton", "exportTextButton", "okButton"})
                QVERIFY2(dialog->findChild<QPushButton*>(name), name);
            QCOMPARE(dialog->findChild<QPushButton*>("printButton")->text(), QString("&Print"));
            QCOMPARE(dialog->findChild<QPushButton*>("exportTextButton")->text(), QString("&Export Text"));
            MaybeGrab(dialog, "final-output");
        });
        QVERIFY(seen);
    }

    void popupCommandOpensTheSameDialog()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        int rows = -1;
        auto done = OnNextModal<CDlgFinalOutput>([&](CDlgFinalOutput* dialog) {
            rows = dialog->list()->rowCount();
            Click(dialog, "okButton");
        });
        QAction* action = m_view->popupMenu()->actions().at(11);
        QCOMPARE(action->text(), QString("&Final Output"));
        action->trigger();
        QVERIFY(*done);
        QCOMPARE(rows, 6);
    }

    void printWritesTheReportToAPdfFile()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString pdf = m_dir.filePath("final.pdf");
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            auto printed = PrintNextToPdf(pdf);
            Click(dialog, "printButton");
            QVERIFY(*printed);
        });
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        const QStringList lines = TextLines(pages[0]);
        QVERIFY2(lines.contains("Bramble V.2.0502"), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains(kColumnLine.simplified()), qPrintable(lines.join("\n")));
        static const QRegularExpression station(
            R"(^\d\d/\d\d/\d{4} \d\d:\d\d:\d\d (\S+) [-\d.]+ [-\d.]+ [-\d.]+ [-\d.]+ \d+$)");
        QStringList stations;
        for (const QString& line : lines)
            if (const auto m = station.match(line); m.hasMatch())
                stations << m.captured(1);
        QCOMPARE(stations, (QStringList{"1", "100", "101", "102", "103", "104"}));
        QVERIFY(lines.contains("03/13/2019 14:48:10 103 40.0300 105.0500 2455.6235 0.0065 2"));

        // The column line keeps its blanks: every word starts at its
        // character's place in the fixed-pitch font.
        const PdfBoxes boxes = PdfWords(pdf);
        const PdfWord* date = nullptr;
        for (const PdfWord& word : boxes.words)
            if (word.text == "Date" && !date)
                date = &word;
        QVERIFY(date);
        const double charWidth = (date->xMax - date->xMin) / 4;
        int from = 0;
        for (const QString& name : kColumnLine.split(' ', Qt::SkipEmptyParts)) {
            const int index = kColumnLine.indexOf(name, from);
            from = index + name.size();
            bool found = false;
            for (const PdfWord& word : boxes.words)
                if (word.text == name && std::abs(word.yMin - date->yMin) < 0.5 &&
                    std::abs(word.xMin - (date->xMin + index * charWidth)) < 0.5)
                    found = true;
            QVERIFY2(found, qPrintable(name));
        }
        // The title and the page number head the page.
        QCOMPARE(lines.value(0), QString("Bramble 1"));
    }

    void aLongTableBreaksIntoNumberedPages()
    {
        const QString survey = WriteLongSurvey(m_dir.path(), 150);
        QVERIFY(!survey.isEmpty());
        ImportThroughDialogs(m_app->mainFrame(), survey, false);
        Click(m_view, "selectAllButton");
        const QString pdf = m_dir.filePath("long-final.pdf");
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            QCOMPARE(dialog->list()->rowCount(), 150);
            auto printed = PrintNextToPdf(pdf);
            Click(dialog, "printButton");
        });
        const QStringList pages = PdfPages(pdf);
        QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
        int stationLines = 0;
        int expected = 1;
        for (int p = 0; p < pages.size(); ++p) {
            const QStringList lines = TextLines(pages[p]);
            QCOMPARE(lines.value(0), QString("Bramble %1").arg(p + 1));
            for (const QString& line : lines) {
                const QStringList words = line.split(' ');
                if (words.size() == 8 && words[2] == QString::number(expected)) {
                    ++stationLines;
                    ++expected;
                }
            }
        }
        QCOMPARE(stationLines, 150);
        QVERIFY(TextLines(pages[0]).contains("Bramble V.2.0502"));
        QVERIFY(!TextLines(pages[1]).contains("Bramble V.2.0502"));  // the banner only once
    }

    void cancelledPrintDialogPrintsNothing()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString fallback = QDir::home().filePath("Bramble.pdf");
        const bool existed = QFile::exists(fallback);
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            auto cancelled = CancelNextPrintDialog();
            Click(dialog, "printButton");
            QVERIFY(*cancelled);
            QVERIFY(dialog->isVisible());
        });
        QCOMPARE(QFile::exists(fallback), existed);
    }

    void exportTextWritesTheTableThroughTheSaveDialog()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString path = m_dir.filePath("final.txt");
        QStringList rows;
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            const QTableWidget* list = dialog->list();
            for (int r = 0; r < list->rowCount(); ++r) {
                // Date first, then time, then the other cells, each followed by a tab.
                QString line = list->item(r, 1)->text() + '\t' + list->item(r, 0)->text() + '\t';
                for (int c = 2; c < 8; ++c)
                    line += list->item(r, c)->text() + '\t';
                rows << line;
            }
            ChooseNextFile(path);
            Click(dialog, "exportTextButton");
        });
        const QString expected =
            "Bramble V.2.0502\nDate\tTime\tStation\tLatitude\tLongitude\tGravity\tSDev\t# Of Points\n" +
            rows.join('\n') + '\n';
        QCOMPARE(QString::fromLatin1(ReadAll(path)), expected);
        QCOMPARE(rows.size(), 6);
        QVERIFY(rows[4].startsWith("03/13/2019\t14:48:10\t103\t"));
    }

    void aFailedExportKeepsTheOldFileAndSaysWhy()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        const QString path = m_dir.filePath("kept.txt");
        WriteAll(path, "the earlier table\n");
        auto message = std::make_shared<QString>();
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            ChooseNextFile(path);
            // First the prompt before replacing the file, then the failure.
            auto prompt = std::make_shared<QString>();
            OnNextModal<QMessageBox>([prompt, message](QMessageBox* box) {
                *prompt = box->text();
                OnNextModal<QMessageBox>([message](QMessageBox* error) {
                    *message = error->text();
                    error->accept();
                });
                box->button(QMessageBox::Yes)->click();
            });
            // A full disk, made with the file size limit.
            struct rlimit old { };
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = old;
            small.rlim_cur = 16;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
            Click(dialog, "exportTextButton");
            ::setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
            QVERIFY2(prompt->contains("already exists"), qPrintable(*prompt));
        });
        QVERIFY2(message->contains("File too large"), qPrintable(*message));
        QVERIFY2(message->contains("unchanged"), qPrintable(*message));
        QCOMPARE(ReadAll(path), QByteArray("the earlier table\n"));
        QCOMPARE(QDir(m_dir.path()).entryList({"*kept*"}, QDir::Files | QDir::Hidden), QStringList{"kept.txt"});
    }

    void nothingSelectedSaysSoAndAnEmptyTableGivesAnEmptyFile()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectNoneButton");
        auto text = AnswerNextMessageBox();
        Click(m_view, "finalOutputButton");
        QVERIFY2(text->startsWith("No readings are selected."), qPrintable(*text));
        QVERIFY(m_app->document().m_FinalData.empty());
        // A table without stations still exports and prints: nothing.
        const QString path = m_dir.filePath("empty.txt");
        const QString pdf = m_dir.filePath("empty.pdf");
        CDlgFinalOutput dialog(m_app->document(), m_view);
        dialog.show();
        QCOMPARE(dialog.list()->rowCount(), 0);
        ChooseNextFile(path);
        Click(&dialog, "exportTextButton");
        auto printed = PrintNextToPdf(pdf);
        Click(&dialog, "printButton");
        QVERIFY(*printed);
        QVERIFY(QFile::exists(path));
        QCOMPARE(ReadAll(path), QByteArray());
        QVERIFY(QFile::exists(pdf));
        QVERIFY(PdfWords(pdf).words.empty());  // not even the banner
    }

    void ctrlCCopiesTheSelectedStationsWithTheTitles()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        Click(m_view, "selectAllButton");
        QString copied;
        WithFinalOutput([&](CDlgFinalOutput* dialog) {
            QTableWidget* list = dialog->list();
            list->setFocus();
            list->selectRow(1);
            list->selectionModel()->select(list->model()->index(3, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QApplication::clipboard()->clear();
            QTest::keySequence(dialog->windowHandle(), QKeySequence::Copy);
            copied = QApplication::clipboard()->text();
        });
        const QStringList lines = copied.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString("Time\tDate\tStation\tLatitude\tLongitude\tGravity\tSDev\t# of Points"));
        QCOMPARE(lines[1].split('\t').value(2), QString("100"));
        QCOMPARE(lines[2].split('\t').value(2), QString("102"));
    }

    void theListKeepsItsOrderAndTheTableIsNotDoubled()
    {
        ImportThroughDialogs(m_app->mainFrame(), kCg3, false);
        ClickHeader(m_view, CStationList::kRelGrav);
        Click(m_view, "selectAllButton");
        const QStringList before = StationColumn(m_view);
        const int sortColumn = m_view->StationList().SortColumn();
        QStringList first, second;
        WithFinalOutput([&](CDlgFinalOutput* dialog) { first = ListColumn(dialog->list(), 5); });
        QCOMPARE(StationColumn(m_view), before);
        QCOMPARE(m_view->StationList().SortColumn(), sortColumn);
        WithFinalOutput([&](CDlgFinalOutput* dialog) { second = ListColumn(dialog->list(), 5); });
        QCOMPARE(second, first);
        QCOMPARE(m_app->document().m_FinalData.size(), std::size_t(6));
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
    }

private:
    // Opens the dialog with the form's button, runs `action` in it, then OK.
    void WithFinalOutput(const std::function<void(CDlgFinalOutput*)>& action)
    {
        auto done = OnNextModal<CDlgFinalOutput>([action](CDlgFinalOutput* dialog) {
            action(dialog);
            Click(dialog, "okButton");
        });
        Click(m_view, "finalOutputButton");
        QVERIFY(*done);
    }

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
    QTemporaryDir m_dir;
};

QTEST_MAIN(CDlgFinalOutputTest)
#include "CDlgFinalOutput_test.moc"
