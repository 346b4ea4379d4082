// The main window: caption, menus, the disabled commands, the About box,
// the status bar, the recent-file list, dropped files, the command line
// and the remembered window place.
#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDialogButtonBox>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "mainwnd/AboutBox.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/LockKeyIndicators.h"
#include "mainwnd/UserGuide.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
const QString kAliod = BRAMBLE_EXAMPLES "/aliod-loop.csv";

QStringList MenuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (action->isVisible())
            texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

QMenu* TopMenu(CMainFrame* frame, const QString& title)
{
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

int Rows(CMainFrame* frame) { return frame->view()->table()->model()->rowCount(); }

// Waits until the queued import of a command line or a drop has run.
bool WaitForImport(CMainFrame* frame)
{
    QSignalSpy spy(frame->importCommand(), &ImportCommand::imported);
    return spy.count() > 0 || spy.wait(5000);
}

}  // namespace

class CMainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void init()
    {
        QSettings().clear();
        m_app = std::make_unique<CKelpApp>();
    }
    void cleanup() { m_app.reset(); }

    void opensMaximisedWithTheApplicationTitle()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->windowState() & Qt::WindowMaximized);
        QCOMPARE(frame->windowTitle(), QString("Bramble"));
        QVERIFY(!frame->windowIcon().isNull());
    }

    void menusHoldTheirItems()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        QStringList titles;
        for (QAction* action : frame->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Survey", "&Network", "&Help"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&File")),
                 (QStringList{"&Open Project...", "&Save Project", "Save Project &As...", "-", "&Import...",
                              "&Save Settings", "-", "E&xit"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&Edit")), (QStringList{"&Undo", "&Redo"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&View")), (QStringList{"&Raw...", "&Plot..."}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&Survey")), (QStringList{"&Add Survey...", "&Remove Survey"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&Network")), (QStringList{"Adjust &Network..."}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&Help")), (QStringList{"&User's Guide", "-", "&About Bramble..."}));
        QVERIFY(!frame->findChild<QAction*>("actionSaveSettings")->isEnabled());
        QVERIFY(frame->findChild<QAction*>("actionImport")->isEnabled());
        QVERIFY(frame->findChild<QAction*>("actionRaw")->isEnabled());
        QVERIFY(frame->findChild<QAction*>("actionPlot")->isEnabled());
    }

    void rawWithNothingSelectedSaysSo()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        auto text = AnswerNextMessageBox();
        m_app->mainFrame()->findChild<QAction*>("actionRaw")->trigger();
        QCOMPARE(*text, QString("Error: No file availiable"));
    }

    // Ctrl+O and Ctrl+S are the project's Open and Save (ProjectCommands_test).
    void newAndPrintShortcutsDoNothing()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        ImportThroughDialogs(frame, kCg3, false);
        for (const char* name : {"actionNew", "actionPrint"}) {
            auto* action = frame->findChild<QAction*>(name);
            QVERIFY2(action && !action->isEnabled(), name);
            QSignalSpy triggered(action, &QAction::triggered);
            QTest::keySequence(frame->windowHandle(), action->shortcut());
            QCOMPARE(triggered.count(), 0);
        }
        QTest::qWait(50);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(Rows(frame), 15);
        QCOMPARE(frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QVERIFY(frame->isVisible());
    }

    void f1ShowsTheUsersGuideAndCtrlQExits()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        // In a build the guide is the source tree's.
        QVERIFY(FindUserGuide().endsWith("docs/user-guide.md"));
        QTest::keySequence(frame->windowHandle(), QKeySequence(Qt::Key_F1));
        auto* guide = frame->findChild<QDialog*>("userGuideWindow");
        QVERIFY(guide && guide->isVisible());
        auto* text = guide->findChild<QTextBrowser*>("userGuideText");
        QVERIFY(text->toPlainText().contains("Bramble user's guide"));
        guide->close();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keySequence(frame->windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(!frame->isVisible());
    }

    void aboutBoxShowsVersionAndIcon()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        QString title, version;
        bool hasIcon = false;
        OnNextModal<AboutBox>([&](AboutBox* box) {
            title = box->windowTitle();
            version = box->findChild<QLabel*>("aboutVersion")->text();
            hasIcon = !box->findChild<QLabel*>("aboutIcon")->pixmap().isNull();
            MaybeGrab(box, "about-box");
            box->accept();
        });
        m_app->mainFrame()->findChild<QAction*>("actionAbout")->trigger();
        QCOMPARE(title, QString("About Bramble"));
        QCOMPARE(version, QString("Bramble Version 2.1210"));
        QVERIFY(hasIcon);
    }

    void statusBarShowsReadyAndFollowsTheLockKeys()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        QCOMPARE(frame->statusBar()->findChild<QLabel*>("messagePane")->text(), QString("Ready"));
        auto* cap = frame->statusBar()->findChild<QLabel*>("capPane");
        auto* num = frame->statusBar()->findChild<QLabel*>("numPane");
        auto* scrl = frame->statusBar()->findChild<QLabel*>("scrlPane");
        QVERIFY(cap && num && scrl);
        QVERIFY(cap->x() < num->x() && num->x() < scrl->x());
        QCOMPARE(cap->text(), QString());
        QTest::keyClick(frame->windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(cap->text(), QString("CAP"));
        QTest::keyClick(frame->windowHandle(), Qt::Key_NumLock);
        QCOMPARE(num->text(), QString("NUM"));
        QTest::keyClick(frame->windowHandle(), Qt::Key_ScrollLock);
        QCOMPARE(scrl->text(), QString("SCRL"));
        QTest::keyClick(frame->windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(cap->text(), QString());
        QVERIFY(frame->lockKeys()->numLock());
    }

    void commandLineImportsTheFile()
    {
        QVERIFY(m_app->InitInstance({"bramble", kCg3}));
        QVERIFY(WaitForImport(m_app->mainFrame()));
        QCOMPARE(Rows(m_app->mainFrame()), 15);
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QCOMPARE(m_app->document().m_strFilePath, kCg3.toStdString());
        QVERIFY(!m_app->document().m_bAliod);
    }

    void commandLineAliodAsksForTheHeader()
    {
        bool asked = false;
        OnNextModal<CDlgAliodHeader>([&](CDlgAliodHeader* dialog) {
            asked = true;
            AcceptHeader(dialog);
        });
        QVERIFY(m_app->InitInstance({"bramble", "--aliod", kAliod}));
        QVERIFY(WaitForImport(m_app->mainFrame()));
        QVERIFY(asked);
        QVERIFY(m_app->document().m_bAliod);
        QCOMPARE(Rows(m_app->mainFrame()), 8);
    }

    void aPipeOnTheCommandLineLeavesTheWindowFree()
    {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("meter.pipe"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        // The meter's writer: it sends the survey once, when the pipe has a
        // reader, after the test has seen the window free while waiting (or
        // after 10 s, so that a frozen window gets its data).
        std::atomic<bool> windowFree{false}, stop{false};
        std::atomic<int> sent{0};
        std::thread writer([&] {
            QFile survey(kCg3);
            survey.open(QIODevice::ReadOnly);
            const QByteArray bytes = survey.readAll();
            for (int waited = 0; !stop && sent == 0; waited += 10) {
                if (windowFree || waited > 10000) {
                    const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0) {
                        ++sent;
                        [[maybe_unused]] const auto n = ::write(fd, bytes.constData(), std::size_t(bytes.size()));
                        ::close(fd);
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        const auto joinWriter = qScopeGuard([&] {
            stop = true;
            writer.join();
        });
        // The progress window with Cancel comes up while the pipe waits.
        int sentWhenShown = -1;
        const auto shown = OnNextModal<QProgressDialog>([&](QProgressDialog* progress) {
            sentWhenShown = sent;
            QVERIFY(progress->parentWidget()->isVisible());
            windowFree = true;
        }, 60000);
        QVERIFY(m_app->InitInstance({"bramble", QFile::decodeName(fifo)}));
        CMainFrame* frame = m_app->mainFrame();
        QVERIFY(WaitForImport(frame));
        QVERIFY(*shown);
        QCOMPARE(sentWhenShown, 0);
        QCOMPARE(Rows(frame), 15);
        QCOMPARE(frame->windowTitle(), QString("meter.pipe - Bramble"));
    }

    void aCancelledPipeReadChangesNothing()
    {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("silent.pipe"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        bool busyWhileShown = false;
        const auto cancelled = OnNextModal<QProgressDialog>([&](QProgressDialog* progress) {
            busyWhileShown = m_app->mainFrame()->importCommand()->IsBusy();
            MaybeGrab(progress, "pipe-progress");
            QTest::keyClick(progress, Qt::Key_Escape);  // Cancel
        }, 60000);
        QVERIFY(m_app->InitInstance({"bramble", QFile::decodeName(fifo)}));
        CMainFrame* frame = m_app->mainFrame();
        QSignalSpy imported(frame->importCommand(), &ImportCommand::imported);
        QTRY_VERIFY(*cancelled);
        QTRY_VERIFY(!frame->importCommand()->IsBusy());
        QVERIFY(busyWhileShown);
        QCOMPARE(imported.count(), 0);
        QCOMPARE(Rows(frame), 0);
        QCOMPARE(frame->windowTitle(), QString("Bramble"));
        // The abandoned read gets its end of file and goes.
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        ::close(fd);
        QVERIFY(frame->close());
    }

    void tooManyFilesOnTheCommandLineEndTheProgram()
    {
        QVERIFY(!m_app->InitInstance({"bramble", kCg3, kAliod}));
        QCOMPARE(m_app->exitCode(), 2);
    }

    void droppedFileIsImportedWithTheMatchingReader()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        OnNextModal<CDlgAliodHeader>(AcceptHeader);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(kAliod)});
        const QPoint at = frame->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(frame, &drop);
        QVERIFY(WaitForImport(frame));
        QCOMPARE(Rows(frame), 8);
        QCOMPARE(frame->windowTitle(), QString("aliod-loop.csv - Bramble"));

        QMimeData text;
        text.setText("not a file");
        QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(frame, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void fileMenuListsTheFourLatestImports()
    {
        QTemporaryDir dir;
        QStringList copies;
        for (int i = 1; i <= 5; ++i) {
            copies << dir.filePath(QString("survey%1.dat").arg(i));
            QVERIFY(QFile::copy(kCg3, copies.last()));
        }
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        for (const QString& path : copies)
            frame->importCommand()->ImportFile(path, MeterKind::cg3);
        const QStringList file = MenuTexts(TopMenu(frame, "&File"));
        QCOMPARE(file.size(), 4 + 2 + 1 + 4 + 1 + 1);
        QCOMPARE(file[7], "&1 " + QDir::toNativeSeparators(copies[4]));
        QCOMPARE(file[10], "&4 " + QDir::toNativeSeparators(copies[1]));
        QCOMPARE(file.last(), QString("E&xit"));

        // A file that cannot be read is not offered again.
        auto message = AnswerNextMessageBox();
        frame->importCommand()->ImportFile(dir.filePath("gone.dat"), MeterKind::cg3);
        QTRY_COMPARE(*message, QString("File not valid"));
        QCOMPARE(MenuTexts(TopMenu(frame, "&File")), file);

        // The list survives a restart, and an entry imports its file again.
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        frame = m_app->mainFrame();
        QCOMPARE(MenuTexts(TopMenu(frame, "&File"))[8], "&2 " + QDir::toNativeSeparators(copies[3]));
        frame->findChild<QAction*>("actionRecent2")->trigger();
        QCOMPARE(Rows(frame), 15);
        QCOMPARE(frame->windowTitle(), QString("survey4.dat - Bramble"));
        QCOMPARE(MenuTexts(TopMenu(frame, "&File"))[7], "&1 " + QDir::toNativeSeparators(copies[3]));
    }

    void restoredGeometryIsRememberedAcrossRuns()
    {
        QVERIFY(m_app->InitInstance({"bramble"}));
        CMainFrame* frame = m_app->mainFrame();
        frame->showNormal();
        frame->setGeometry(QRect(120, 90, 800, 500));
        QTest::qWait(20);
        const QRect placed = frame->normalGeometry();
        frame->close();
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        QVERIFY(m_app->mainFrame()->windowState() & Qt::WindowMaximized);
        QCOMPARE(QSettings().value("Window/NormalGeometry").toRect(), placed);
        m_app->mainFrame()->showNormal();
        QCOMPARE(m_app->mainFrame()->geometry().size(), placed.size());
    }

    void closingAsksNothing()
    {
        QVERIFY(m_app->InitInstance({"bramble", kCg3}));
        QVERIFY(WaitForImport(m_app->mainFrame()));
        QVERIFY(m_app->mainFrame()->close());
        QVERIFY(!m_app->mainFrame()->isVisible());
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
};

QTEST_MAIN(CMainFrameTest)
#include "CMainFrame_test.moc"
