// The Import command through its dialogs: the Aliod header creator, the two
// modes of GDump, bad files, and a large file that loads while the window
// keeps running.
#include <fstream>
#include <iterator>

#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/RecentFileList.h"
#include "mainwnd/StationTableView.h"
#include "survey/SyntheticSurvey.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";

QString Text(QWidget* dialog, const char* name) { return dialog->findChild<QLineEdit*>(name)->text(); }

QStringList RecentPaths()
{
    RecentFileList recent;
    recent.Load();
    QStringList paths;
    for (const RecentFileList::Entry& entry : recent.Entries())
        paths << entry.path;
    return paths;
}

}  // namespace

class ImportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init()
    {
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        m_frame = m_app->mainFrame();
    }
    void cleanup() { m_app.reset(); }

    void aliodHeaderOpensWithItsDefaults()
    {
        QStringList texts;
        QString title;
        ImportThroughDialogs(m_frame, kAliod, true, [&](CDlgAliodHeader* dialog) {
            title = dialog->windowTitle();
            for (const char* name :
                 {"serialNumberEdit", "latitudeEdit", "longitudeEdit", "operatorEdit", "operTempEdit"})
                texts << Text(dialog, name);
            MaybeGrab(dialog, "aliod-header");
            AcceptHeader(dialog);
        });
        QCOMPARE(title, QString("Aliod Header Creator"));
        QCOMPARE(texts, (QStringList{"123456789", "40.02885", "-105.04603", "NONE", "90.5"}));
        const CKelpDoc& doc = m_app->document();
        QVERIFY(doc.m_bAliod);
        QVERIFY(doc.m_pCurAliodHeader);
        QCOMPARE(doc.m_pCurAliodHeader->m_dSerialNumber, 123456789.0);
        QCOMPARE(doc.m_pCurAliodHeader->m_dLatitude, 40.02885);
        QCOMPARE(doc.m_pCurAliodHeader->m_dLongitude, -105.04603);
        QCOMPARE(doc.m_pCurAliodHeader->m_strOperator, std::string("NONE"));
        QCOMPARE(doc.m_pCurAliodHeader->m_dOperTemp, 90.5);
        QCOMPARE(doc.m_AliodHeader.avgLatitude, std::string("40.02885"));
    }

    void headerNumberFieldsRefuseTextThatIsNotANumber()
    {
        ImportThroughDialogs(m_frame, kCg3, false);
        // Each refusal keeps the dialog open on the field; Escape then
        // cancels the import.
        QStringList refusals;
        QStringList focused;
        const auto refuse = [&](CDlgAliodHeader* dialog, const char* field, const QString& typed) {
            auto* edit = dialog->findChild<QLineEdit*>(field);
            edit->setText(typed);
            OnNextModal<QMessageBox>([&](QMessageBox* box) {
                refusals << box->text();
                box->accept();
            });
            QTest::keyClick(edit, Qt::Key_Return);  // Enter is OK
            QVERIFY(dialog->isVisible());
            focused << (dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString());
            edit->setText(QString::fromStdString(
                field == QString("latitudeEdit") ? DefaultAliodHeaderTexts().avgLatitude
                                                 : DefaultAliodHeaderTexts().operTemp));
        };
        OnNextModal<CGDump>([](CGDump* dump) {
            Click(dump, "aliodRadio");
            ChooseNextFile(kAliod);
            Click(dump, "asciiBrowseButton");
            Click(dump, "okButton");
        });
        OnNextModal<CDlgAliodHeader>([&](CDlgAliodHeader* dialog) {
            refuse(dialog, "latitudeEdit", "46,52");
            refuse(dialog, "latitudeEdit", "north");
            refuse(dialog, "operTempEdit", "");
            QTest::keyClick(dialog->findChild<QLineEdit*>("longitudeEdit"), Qt::Key_Escape);
        });
        QSignalSpy done(m_frame->importCommand(), &ImportCommand::imported);
        m_frame->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(refusals, (QStringList{
                               "The header's latitude \"46,52\" is not a number. Type a number with a point for "
                               "decimals, for example 46.52.",
                               "The header's latitude \"north\" is not a number. Type a number with a point for "
                               "decimals, for example 46.52.",
                               "The header's operating temperature is empty. Type a number with a point for "
                               "decimals, for example 46.52."}));
        QCOMPARE(focused, (QStringList{"latitudeEdit", "latitudeEdit", "operTempEdit"}));
        // Cancelled: the CG-3 survey is still the one shown.
        QCOMPARE(done.count(), 0);
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QVERIFY(!m_app->document().m_bAliod);
        QCOMPARE(m_frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QCOMPARE(m_app->document().m_AliodHeader, AliodHeaderTexts{});
        // The next import opens with the defaults again; Cancel cancels too.
        QString latitude;
        OnNextModal<CDlgAliodHeader>([&](CDlgAliodHeader* dialog) {
            latitude = Text(dialog, "latitudeEdit");
            Click(dialog, "cancelButton");
        });
        m_frame->importCommand()->ImportFile(kAliod, MeterKind::aliod);
        QCOMPARE(latitude, QString("40.02885"));
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QVERIFY(!m_app->document().m_bAliod);
    }

    void aliodHeaderTakesTheTypedTexts()
    {
        ImportThroughDialogs(m_frame, kAliod, true, [](CDlgAliodHeader* dialog) {
            dialog->findChild<QLineEdit*>("operTempEdit")->setText("21.5");
            dialog->findChild<QLineEdit*>("latitudeEdit")->setText(" 46.52 ");
            AcceptHeader(dialog);
        });
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 8);
        QCOMPARE(m_app->document().m_pCurAliodHeader->m_dOperTemp, 21.5);
        QCOMPARE(m_app->document().m_pCurAliodHeader->m_dLatitude, 46.52);
    }

    void instrumentModeReadsTheReceiveFileAsCg3()
    {
        OnNextModal<CGDump>([](CGDump* dump) {
            Click(dump, "aliodRadio");
            Click(dump, "cg3Radio");
            Click(dump, "instrumentRadio");
            auto* receive = dump->findChild<QLineEdit*>("receiveFileEdit");
            QTest::keyClicks(receive, kCg3);
            Click(dump, "okButton");
        });
        m_frame->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QCOMPARE(m_frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QVERIFY(m_app->document().m_bInstrument);
        QVERIFY(!m_app->document().m_bAsciiFile);
        QVERIFY(!m_app->document().m_bAliod);
    }

    void okWithoutAFileNameReadsNothing()
    {
        ImportThroughDialogs(m_frame, kCg3, false);
        OnNextModal<CGDump>([](CGDump* dump) { Click(dump, "okButton"); });
        m_frame->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void fileThatCannotBeReadOrHoldsNoReadingsKeepsTheSurvey()
    {
        ImportThroughDialogs(m_frame, kCg3, false);
        QTemporaryDir dir;
        const QString gone = dir.filePath("gone.dat");
        // GDump cannot list the file; then the reader cannot read it.
        auto listing = AnswerNextMessageBox();
        ImportThroughDialogs(m_frame, gone, false);  // the chooser accepts a name that does not exist
        QVERIFY(listing->startsWith("Cannot open"));
        auto message = AnswerNextMessageBox();
        QTRY_COMPARE(*message, QString("File not valid"));
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QCOMPARE(m_frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QCOMPARE(m_app->document().m_strFilePath, kCg3.toStdString());

        // An exported final table holds no readings.
        const QString table = dir.filePath("final.txt");
        {
            ReductionSession& session = m_app->session();
            session.SelectStations({});
            session.ComputeFinalTable();
            std::ofstream(table.toStdString()) << session.FinalTableText();
        }
        const QStringList recent = RecentPaths();
        message = AnswerNextMessageBox();
        ImportThroughDialogs(m_frame, table, false);
        QTRY_VERIFY(message->startsWith("final.txt holds no Scintrex CG-3 readings: the current survey is kept."));
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 15);
        QCOMPARE(m_frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QCOMPARE(m_app->document().m_strFilePath, kCg3.toStdString());
        QCOMPARE(RecentPaths(), recent);
    }

    void readWarningsShowBesideTheWindowWithoutBlockingIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cut.dat");
        {
            std::ifstream in(kCg3.toStdString(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            text.resize(text.rfind("   60   0  15:35:02"));  // the last reading line cut short
            std::ofstream(path.toStdString(), std::ios::binary) << text;
        }
        ImportThroughDialogs(m_frame, path, false);
        auto* box = m_frame->findChild<QMessageBox*>("readWarningsBox");
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(box->text().startsWith("14 readings of cut.dat are listed."));
        QVERIFY2(box->informativeText().contains("Line 47 is not a reading"), qPrintable(box->informativeText()));
        MaybeGrab(box, "guide-read-warnings");
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 14);
        // The next import's warnings take its place; an import without warnings closes it.
        QPointer<QMessageBox> first = box;
        ImportThroughDialogs(m_frame, kCg3, false);  // line 44 has no E.T.C.
        QTRY_VERIFY(!first);
        QCOMPARE(m_frame->findChildren<QMessageBox*>("readWarningsBox").size(), 1);
        ImportThroughDialogs(m_frame, kAliod, true);
        QTRY_VERIFY(!m_frame->findChild<QMessageBox*>("readWarningsBox"));
    }

    void binaryFileIsRefusedWithAMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("noise.bin");
        {
            std::ofstream out(path.toStdString(), std::ios::binary);
            for (int i = 0; i < 200000; ++i)
                out.put(static_cast<char>((i * 7919) % 256));
        }
        // Not text: both readers refuse it whole and say why.
        for (const bool aliod : {false, true}) {
            auto message = AnswerNextMessageBox();
            ImportThroughDialogs(m_frame, path, aliod);
            QTRY_VERIFY(message->startsWith("The file cannot be read: line 1 holds the byte 0x00"));
            QCOMPARE(m_frame->view()->table()->model()->rowCount(), 0);
        }
        QVERIFY(m_frame->isVisible());
        QCOMPARE(m_frame->view()->RowCountShown(), m_frame->view()->table()->model()->rowCount());
    }

    void largeFileLoadsWhileTheWindowRuns()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("large.dat");
        {
            std::ofstream out(path.toStdString(), std::ios::binary);
            SyntheticSurvey{.readings = 600000, .readingsPerBlock = 1000}.WriteScintrex(out);
        }
        int ticks = 0;
        bool progressShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            ++ticks;
            if (auto* progress = m_frame->findChild<QProgressDialog*>("loadProgress"))
                progressShown = progressShown || progress->isVisible();
        });
        watch.start(10);
        QElapsedTimer clock;
        clock.start();
        m_frame->importCommand()->ImportFile(path, MeterKind::cg3);
        const qint64 ms = clock.elapsed();
        watch.stop();
        QCOMPARE(m_frame->view()->table()->model()->rowCount(), 600000);
        QVERIFY2(ticks >= 3, qPrintable(QString("%1 ticks in %2 ms").arg(ticks).arg(ms)));
        if (ms > 2 * SurveyLoader::kProgressDelayMs)
            QVERIFY(progressShown);
        qInfo("600000 readings read and listed in %lld ms", ms);
        // The list answers at once: a sort by a column.
        clock.restart();
        m_frame->view()->SortByColumn(3);
        qInfo("sorted by Rel Grav in %lld ms", clock.elapsed());
        QCOMPARE(m_frame->view()->StationList().SortColumn(), 3);
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CMainFrame* m_frame = nullptr;
};

QTEST_MAIN(ImportCommandTest)
#include "ImportCommand_test.moc"
