// The autosave in the window: written after a command while there are
// unsaved changes, gone after a save, and offered at the next start when
// the program that wrote it did not end.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "../support/StationListDriver.h"
#include "mainwnd/CKelpView.h"
#include "project/Autosave.h"
#include "project/AutosaveKeeper.h"
#include "project/ProjectCommands.h"
#include "session/ReductionSession.h"

using namespace bramble;
using namespace bramble::test;

class AutosaveKeeperTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void cleanup() { m_app.reset(); }

    void aCommandIsAutosavedUntilTheProjectIsSaved()
    {
        CKelpView* view = StartProgram(m_app);
        QVERIFY(view);
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        const AutosaveKeeper* keeper = m_app->mainFrame()->autosave();
        QCOMPARE(keeper->timer()->interval(), 120000);
        const AutosaveFiles files = AutosaveFilesOf(keeper->Folder(), keeper->Session());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(files.info)));  // nothing unsaved yet

        view->OnSelectAll();
        QVERIFY(QFileInfo::exists(QString::fromStdString(files.info)));
        QVERIFY(QFileInfo::exists(QString::fromStdString(files.project)));
        m_app->mainFrame()->projectCommands()->undoAction()->trigger();  // back to as read: nothing unsaved
        QVERIFY(!QFileInfo::exists(QString::fromStdString(files.project)));

        view->OnSelectAll();
        QVERIFY(QFileInfo::exists(QString::fromStdString(files.project)));
        QTemporaryDir dir;
        QVERIFY(m_app->mainFrame()->projectCommands()->SaveProjectTo(dir.filePath("kept.bramble")));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(files.project)));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(files.info)));
    }

    void theAutosaveOfAProgramThatDidNotEndIsOfferedAndRestored()
    {
        // What a program that crashed leaves: its autosave without a live lock.
        QTemporaryDir work;
        const QString data = work.filePath("day1.dat");
        QVERIFY(QFile::copy(kCg3Example, data));
        Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(data.toStdString(), MeterKind::cg3, {});
        QVERIFY(read.HasValue());
        read.Value()->session->SelectStations({});
        read.Value()->session->List().Reject(2, "bumped");
        Project crashed;
        crashed.InsertSurvey(0, std::move(read.Value()));
        crashed.SetFilePath(work.filePath("campaign.bramble").toStdString());
        const std::string folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
        QVERIFY(WriteAutosave(crashed, folder, "1-1", QDateTime::currentMSecsSinceEpoch()).Succeeded());

        QString asked;
        OnNextModal<QMessageBox>([&asked](QMessageBox* box) {
            asked = box->text();
            MaybeGrab(box, "guide-restore-autosave");
            Click(box, "restoreButton");
        });
        CKelpView* view = StartProgram(m_app);
        QVERIFY(view);
        QTRY_COMPARE(view->StationList().RowCount(), 15);
        QVERIFY(asked.contains("campaign.bramble"));
        QCOMPARE(view->StationList().SelectedCount(), 14);
        QCOMPARE(view->StationList().RejectionReason(2), std::string("bumped"));
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("campaign.bramble* - day1.dat - Bramble"));
        // The left autosave is this program's own now, and Save writes to
        // the project it stood for.
        QVERIFY(!QFileInfo::exists(QString::fromStdString(AutosaveFilesOf(folder, "1-1").info)));
        QVERIFY(m_app->mainFrame()->projectCommands()->SaveProject());
        QVERIFY(QFileInfo::exists(work.filePath("campaign.bramble")));
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("campaign.bramble - day1.dat - Bramble"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
};

QTEST_MAIN(AutosaveKeeperTest)
#include "AutosaveKeeper_test.moc"
