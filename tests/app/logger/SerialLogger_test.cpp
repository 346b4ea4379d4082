// Logging a meter through GDump: a pseudo-terminal plays the meter, the
// dialog's Start, Stop and Settings buttons drive the logger, and the
// receive file, the echo and the messages are checked; at the end the
// logged file goes through the Import command into the station list.
#include <csignal>
#include <memory>

#include <sys/resource.h>

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "PseudoTerminal.h"
#include "logger/CDlgMeterSetup.h"
#include "logger/CGDump.h"
#include "logger/CListBoxEx.h"
#include "logger/SerialLogger.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/StationTableView.h"
#include "survey/ImportCommand.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

// The lines of a CR LF text, as the list shows them.
QStringList LinesOf(const QByteArray& bytes)
{
    QStringList lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromLocal8Bit(line);
    }
    if (bytes.endsWith('\n'))
        lines.removeLast();
    return lines;
}

QStringList Rows(const CListBoxEx* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

void StoreSettings(const QString& portName, int baudIndex, int interval)
{
    QSettings profile;
    profile.setValue("Settings/PortName", portName);
    profile.setValue("Settings/ComPort", 1);
    profile.setValue("Settings/BaudRate", baudIndex);
    profile.setValue("Settings/Interval", interval);
}

QString ByteCount(CGDump& dump) { return dump.findChild<QLineEdit*>("byteCountEdit")->text(); }
bool Enabled(CGDump& dump, const char* name) { return dump.findChild<QWidget*>(name)->isEnabled(); }

// What a message box showed.
struct Box {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString name;
};

// Answers the next message box with `answer` and keeps what it showed.
std::shared_ptr<Box> AnswerBox(QMessageBox::StandardButton answer = QMessageBox::Ok, std::function<void()> after = {})
{
    auto seen = std::make_shared<Box>();
    OnNextModal<QMessageBox>([seen, answer, after](QMessageBox* box) {
        *seen = {box->text(), box->windowTitle(), box->icon(), box->objectName()};
        if (auto* button = box->button(answer))
            button->click();
        else
            box->reject();
        if (after)
            after();
    });
    return seen;
}

void Start(CGDump& dump, const QString& path)
{
    dump.findChild<QLineEdit*>("receiveFileEdit")->setText(path);
    Click(&dump, "startButton");
}

// The live echo as it happens: every echoed row, and whether the list ever
// held more rows than fit or failed to select the newest.
struct EchoWatch {
    QStringList rows;
    bool overfull = false;
    bool newestSelected = true;
    int mostRowsThatFit = 0;

    void Attach(CGDump& dump)
    {
        auto* logger = dump.findChild<SerialLogger*>();
        CListBoxEx* list = dump.List();
        // Connected after the dialog's own handler, so the row is in the list.
        QObject::connect(logger, &SerialLogger::lineEchoed, &dump, [this, list](const QString& line) {
            rows << line;
            mostRowsThatFit = std::max(mostRowsThatFit, list->RowsThatFit());
            overfull = overfull || list->count() > list->RowsThatFit();
            const bool selected =
                list->currentRow() == list->count() - 1 && list->currentItem() && list->currentItem()->text() == line;
            newestSelected = newestSelected && selected;
        });
    }
};

}  // namespace

class SerialLoggerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PseudoTerminal> m_meter;

    QString PathOf(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void initTestCase()
    {
        m_settings = UsePrivateSettings();
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the file size limit fails instead
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_meter = std::make_unique<PseudoTerminal>();
        QVERIFY(m_meter->IsOpen());
        StoreSettings(m_meter->SlavePath(), 6, 1);
    }
    void cleanup()
    {
        m_meter.reset();
        m_dir.reset();
    }

    void logsAMultiBlockDumpUntilTheMeterFallsSilent()
    {
        const QByteArray dump = ReadFile(kCg3);
        QCOMPARE(dump.size(), 2828);
        QVERIFY(dump.contains('\x13'));  // the DC3 that ends a block
        const QString path = PathOf("logged.dat");

        CGDump dialog;
        dialog.show();
        EchoWatch echo;
        echo.Attach(dialog);
        auto* logger = dialog.findChild<SerialLogger*>();
        QElapsedTimer sinceLastByte;
        qint64 silenceBeforeStop = -1;
        connect(logger, &SerialLogger::transferEnded, &dialog, [&] { silenceBeforeStop = sinceLastByte.elapsed(); });

        Start(dialog, path);
        QVERIFY(dialog.IsLogging());
        QCOMPARE(dialog.windowTitle(), QString("Com_File - Logging"));
        QVERIFY(!Enabled(dialog, "startButton"));
        QVERIFY(!Enabled(dialog, "settingsButton"));
        QVERIFY(Enabled(dialog, "stopButton"));
        // The logged file's name and the mode stay as they are while logging.
        const char* const locked[] = {"receiveFileEdit", "receiveBrowseButton", "editFileButton",
                                      "instrumentRadio", "asciiFileRadio",      "cg3Radio",
                                      "aliodRadio"};
        for (const char* name : locked)
            QVERIFY2(!Enabled(dialog, name), name);
        QCOMPARE(dialog.findChild<QLineEdit*>("baudEdit")->text(), QString("9600"));
        QCOMPARE(m_meter->Speed(), 9600);
        MaybeGrab(&dialog, "gdump-logging-started");

        // Before the first byte the logger waits, however many periods pass.
        QTest::qWait(1500);
        QVERIFY(dialog.IsLogging());

        // A single character alone in the file: no row until its line ends.
        QVERIFY(m_meter->Send(dump.left(1)));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("1"), 3000);
        QCOMPARE(dialog.List()->count(), 0);

        // The rest in uneven pieces, each pause shorter than the interval.
        const int pieces[] = {36, 250, 3, 700, 1030, 97};
        const int pauses[] = {120, 300, 60, 450, 200, 350};
        qsizetype at = 1;
        for (int i = 0; i < 6; ++i) {
            QVERIFY(m_meter->Send(dump.mid(at, pieces[i])));
            at += pieces[i];
            QTest::qWait(pauses[i]);
            QVERIFY(dialog.IsLogging());
        }
        QVERIFY(m_meter->Send(dump.mid(at)));
        sinceLastByte.start();
        QTest::qWait(300);
        MaybeGrab(&dialog, "gdump-logging-echo");

        QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsLogging(), 5000);
        // One whole period of silence, no less, ended the transfer.
        QVERIFY2(silenceBeforeStop >= 990, qPrintable(QString::number(silenceBeforeStop)));

        QCOMPARE(ReadFile(path), dump);
        QCOMPARE(ByteCount(dialog), QString("2828"));

        // The echo: the file's lines from the first one, in order, never more
        // rows than the list shows, the newest selected.
        const QStringList lines = LinesOf(dump);
        QCOMPARE(lines.size(), 48);
        QVERIFY(!echo.rows.isEmpty());
        QCOMPARE(echo.rows, lines.mid(0, echo.rows.size()));
        QVERIFY2(echo.rows.size() > echo.mostRowsThatFit, "the echo never filled the list");
        QVERIFY(!echo.overfull);
        QVERIFY(echo.newestSelected);

        // Stop reloaded the whole file.
        QCOMPARE(Rows(dialog.List()), lines);
        QVERIFY(Enabled(dialog, "startButton"));
        QVERIFY(Enabled(dialog, "settingsButton"));
        QVERIFY(Enabled(dialog, "stopButton"));
        for (const char* name : locked)
            QVERIFY2(Enabled(dialog, name), name);
        QCOMPARE(dialog.windowTitle(), QString("Com_File - Logging"));
        MaybeGrab(&dialog, "gdump-logging-stopped");

        // The port is free again.
        QSerialPort again;
        again.setPortName(m_meter->SlavePath());
        QVERIFY(again.open(QIODevice::ReadWrite));
    }

    void everyByteValuePassesUnchanged()
    {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(static_cast<char>(i));
        bytes += "\r\n\r\r\n\n\x11\x13\x1a\x7f";
        const QString path = PathOf("binary.dat");
        CGDump dialog;
        dialog.show();
        Start(dialog, path);
        QVERIFY(m_meter->Send(bytes));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString::number(bytes.size()), 3000);
        Click(&dialog, "stopButton");
        QVERIFY(!dialog.IsLogging());
        QCOMPARE(ReadFile(path), bytes);
    }

    void baudIndexChoosesTheLineSpeed_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("baud");
        QTest::newRow("110") << 0 << 110;
        QTest::newRow("600") << 2 << 600;
        QTest::newRow("2400") << 4 << 2400;
        QTest::newRow("57600") << 9 << 57600;
        QTest::newRow("typed") << -1 << 115200;
        QTest::newRow("beyond the table") << 10 << 115200;
    }
    void baudIndexChoosesTheLineSpeed()
    {
        QFETCH(int, index);
        QFETCH(int, baud);
        StoreSettings(m_meter->SlavePath(), index, 1);
        CGDump dialog;
        dialog.show();
        Start(dialog, PathOf("baud.dat"));
        QVERIFY(dialog.IsLogging());
        QCOMPARE(m_meter->Speed(), baud);
        QCOMPARE(dialog.findChild<QLineEdit*>("baudEdit")->text(), QString::number(baud));
        QCOMPARE(dialog.findChild<QLineEdit*>("byteSizeEdit")->text(), QString("8"));
        Click(&dialog, "stopButton");
    }

    void anExistingFileIsAppendedOrOverwritten_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Yes appends") << int(QMessageBox::Yes) << QByteArray("OLD 1\r\nOLD 2\r\nNEW 1\r\nNEW 2\r\n");
        QTest::newRow("No overwrites") << int(QMessageBox::No) << QByteArray("NEW 1\r\nNEW 2\r\n");
    }
    void anExistingFileIsAppendedOrOverwritten()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, expected);
        const QString path = PathOf("existing.dat");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("OLD 1\r\nOLD 2\r\n");
        }
        CGDump dialog;
        dialog.show();
        EchoWatch echo;
        echo.Attach(dialog);
        auto question = AnswerBox(QMessageBox::StandardButton(answer));
        Start(dialog, path);
        QCOMPARE(question->text,
                 QString("YES to append to existing file.\n\nNO to over-write existing File\n\nCANCEL to exit"));
        QVERIFY(dialog.IsLogging());
        QCOMPARE(ByteCount(dialog), QString("0"));

        QVERIFY(m_meter->Send("NEW 1\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("7"), 3000);
        QVERIFY(m_meter->Send("NEW 2\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("14"), 3000);
        // The echo starts with the new bytes, whatever the file held.
        QCOMPARE(echo.rows, (QStringList{"NEW 1", "NEW 2"}));
        Click(&dialog, "stopButton");
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(Rows(dialog.List()), LinesOf(expected));
        QCOMPARE(ByteCount(dialog), QString("14"));
    }

    void cancelToTheAppendQuestionLeavesTheFile()
    {
        const QString path = PathOf("kept.dat");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("OLD\r\n");
        }
        CGDump dialog;
        dialog.show();
        AnswerBox(QMessageBox::Cancel);
        Start(dialog, path);
        QVERIFY(!dialog.IsLogging());
        QVERIFY(Enabled(dialog, "startButton"));
        QCOMPARE(dialog.windowTitle(), QString("GDump"));
        QVERIFY(m_meter->Send("NEW\r\n"));
        QTest::qWait(100);
        QCOMPARE(ReadFile(path), QByteArray("OLD\r\n"));
    }

    void aSecondStartEchoesTheNewFileFromItsFirstLine()
    {
        const QString path = PathOf("twice.dat");
        CGDump dialog;
        dialog.show();
        Start(dialog, path);
        QVERIFY(m_meter->Send("A\r\nB\r\nC\r\n"));  // one read: one echoed line
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("9"), 3000);
        Click(&dialog, "stopButton");
        QCOMPARE(Rows(dialog.List()), (QStringList{"A", "B", "C"}));

        EchoWatch echo;
        echo.Attach(dialog);
        AnswerBox(QMessageBox::No);
        Click(&dialog, "startButton");
        QVERIFY(dialog.IsLogging());
        QCOMPARE(dialog.List()->count(), 0);
        QVERIFY(m_meter->Send("D\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("3"), 3000);
        QCOMPARE(echo.rows, QStringList{"D"});
        QCOMPARE(Rows(dialog.List()), QStringList{"D"});
        Click(&dialog, "stopButton");
        QCOMPARE(ReadFile(path), QByteArray("D\r\n"));
    }

    void startRefusesWhatItCannotUse()
    {
        CGDump dialog;
        dialog.show();
        auto box = AnswerBox();
        Start(dialog, "");
        QCOMPARE(box->text, QString("Receive File Name must be entered!"));
        QCOMPARE(box->title, QString("Error"));
        QCOMPARE(box->icon, QMessageBox::Critical);
        QVERIFY(!dialog.IsLogging());

        box = AnswerBox();
        Start(dialog, PathOf("no/such/folder/rcv.dat"));
        QCOMPARE(box->text, QString("Cannot create receive file!"));
        QCOMPARE(box->title, QString("Error"));
        QCOMPARE(box->icon, QMessageBox::Critical);

        StoreSettings("", 6, 1);                      // no PortName and ComPort...
        QSettings().setValue("Settings/ComPort", 4);  // ...beyond COM4
        box = AnswerBox();
        Start(dialog, PathOf("noport.dat"));
        QCOMPARE(box->text, QString("Cannot open Comport!"));
        QCOMPARE(box->title, QString("Error"));
        QCOMPARE(box->icon, QMessageBox::Critical);
        QVERIFY(!dialog.IsLogging());
        QVERIFY(Enabled(dialog, "startButton"));

        // A device that is not there fails the same way (the receive file
        // exists now, so the append question comes first).
        StoreSettings(m_dir->filePath("ttyGone"), 6, 1);
        std::shared_ptr<Box> error;
        AnswerBox(QMessageBox::Yes, [&error] { error = AnswerBox(); });
        Start(dialog, PathOf("noport.dat"));
        QVERIFY(error);
        QCOMPARE(error->text, QString("Cannot open Comport!"));
        QVERIFY(!dialog.IsLogging());
        QCOMPARE(dialog.windowTitle(), QString("GDump"));
    }

    void theMeterVanishingStopsLoggingAndKeepsItsBytes()
    {
        StoreSettings(m_meter->SlavePath(), 6, 10);  // no tick during the test
        const QByteArray dump = ReadFile(kCg3);
        const QString path = PathOf("vanished.dat");
        CGDump dialog;
        dialog.show();
        Start(dialog, path);
        QVERIFY(dialog.IsLogging());
        QVERIFY(m_meter->Send(dump.left(500)));
        QTest::qWait(200);
        auto box = AnswerBox();
        m_meter->Vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsLogging(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!box->text.isEmpty(), 3000);
        QVERIFY2(box->text.contains("no longer available"), qPrintable(box->text));
        QCOMPARE(box->title, QString("Error"));
        QCOMPARE(box->icon, QMessageBox::Critical);
        QCOMPARE(ReadFile(path), dump.left(500));
        QCOMPARE(ByteCount(dialog), QString("500"));
        QVERIFY(Enabled(dialog, "startButton"));
        // The list holds what arrived, the unfinished last line too.
        QCOMPARE(Rows(dialog.List()), LinesOf(dump.left(500)));
    }

    void aWriteErrorIsReportedAndLoggingGoesOn()
    {
        const QString path = PathOf("limited.dat");
        CGDump dialog;
        dialog.show();
        Start(dialog, path);
        QVERIFY(dialog.IsLogging());

        // Only 4 bytes may be written until the message has been answered.
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 4;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        auto box = AnswerBox(QMessageBox::Ok, [before] { ::setrlimit(RLIMIT_FSIZE, &before); });
        QVERIFY(m_meter->Send("ABCDEFGH\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(!box->text.isEmpty(), 3000);
        ::setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(box->text, QString("Error in WriteFile() "));
        QCOMPARE(box->icon, QMessageBox::NoIcon);
        QVERIFY(dialog.IsLogging());

        QVERIFY(m_meter->Send("Z\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(ByteCount(dialog), QString("13"), 3000);
        Click(&dialog, "stopButton");
        QCOMPARE(ReadFile(path), QByteArray("ABCDZ\r\n"));
    }

    void settingsOkMakesTheNextStartUseTheNewValues()
    {
        StoreSettings(m_meter->SlavePath(), 0, 1);
        CGDump dialog;
        dialog.show();
        OnNextModal<CDlgMeterSetup>([](CDlgMeterSetup* setup) {
            auto* baud = setup->findChild<QComboBox*>("baudCombo");
            baud->setCurrentIndex(3);  // 1200
            Click(setup, "okButton");
        });
        Click(&dialog, "settingsButton");
        QCOMPARE(QSettings().value("Settings/BaudRate").toInt(), 3);
        Start(dialog, PathOf("settings.dat"));
        QVERIFY(dialog.IsLogging());
        QCOMPARE(m_meter->Speed(), 1200);
        Click(&dialog, "stopButton");
    }

    void cancelWhileLoggingEndsItProperly()
    {
        StoreSettings(m_meter->SlavePath(), 6, 10);  // no tick: every byte still waits at the port
        const QByteArray dump = ReadFile(kCg3);
        const QString path = PathOf("cancelled.dat");
        CGDump dialog;
        dialog.show();
        Start(dialog, path);
        QVERIFY(m_meter->Send(dump));
        QTest::qWait(200);
        QCOMPARE(ReadFile(path).size(), 0);
        Click(&dialog, "cancelButton");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.IsLogging());
        QCOMPARE(ReadFile(path), dump);
        QSerialPort again;
        again.setPortName(m_meter->SlavePath());
        QVERIFY(again.open(QIODevice::ReadWrite));
    }

    void okWhileLoggingImportsTheCompleteLoggedFile()
    {
        StoreSettings(m_meter->SlavePath(), 6, 10);
        const QByteArray dump = ReadFile(kCg3);
        const QString path = PathOf("meter.dat");
        CKelpApp app;
        QVERIFY(app.InitInstance({"bramble"}));
        CMainFrame* frame = app.mainFrame();

        qint64 sizeBeforeOk = -1;
        OnNextModal<CGDump>([&](CGDump* dialog) {
            Start(*dialog, path);
            m_meter->Send(dump);
            QTest::qWait(200);
            sizeBeforeOk = ReadFile(path).size();
            MaybeGrab(dialog, "gdump-before-ok");
            Click(dialog, "okButton");
        });
        QSignalSpy imported(frame->importCommand(), &ImportCommand::imported);
        frame->findChild<QAction*>("actionImport")->trigger();
        QCOMPARE(imported.count(), 1);
        QCOMPARE(sizeBeforeOk, 0);  // nothing had reached the file before OK
        QCOMPARE(ReadFile(path), dump);
        QCOMPARE(frame->view()->table()->model()->rowCount(), 15);
        QCOMPARE(frame->windowTitle(), QString("meter.dat - Bramble"));
        QVERIFY(app.document().m_bInstrument);
        QVERIFY(!app.document().m_bAliod);
    }
};

QTEST_MAIN(SerialLoggerTest)
#include "SerialLogger_test.moc"
