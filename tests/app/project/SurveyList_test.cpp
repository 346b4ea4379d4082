// Several surveys in the main window: added, shown in the Survey menu and
// the box beside "Number of Points", switched, removed, an import over
// work undone; the recent projects of the File menu.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "../support/StationListDriver.h"
#include "adjust/LoopChooser.h"
#include "adjust/NetworkAdjustWindow.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "project/ProjectCommands.h"
#include "project/SurveyList.h"

using namespace bramble;
using namespace bramble::test;

class SurveyListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
        if (!qEnvironmentVariableIsEmpty("BRAMBLE_SCREENSHOTS")) {
            // The same size on every machine, whatever the screen.
            m_app->mainFrame()->showNormal();
            m_app->mainFrame()->setGeometry(0, 0, 1180, 560);
        }
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        QCOMPARE(m_view->StationList().RowCount(), 15);
        m_view->OnSelectAll();
    }
    void cleanup() { m_app.reset(); }

    void theAdjustmentReadsEverySurveyOfTheProject()
    {
        CMainFrame* frame = m_app->mainFrame();
        ImportThroughDialogs(frame, kAliodExample, true, AcceptHeader, "actionAddSurvey");
        frame->findChild<QAction*>("actionAdjustNetwork")->trigger();
        auto* window = frame->findChild<NetworkAdjustWindow*>();
        QVERIFY(window);
        const LoopChooser* loops = window->loops();
        QCOMPARE(loops->topLevelItemCount(), 2);
        QCOMPARE(loops->topLevelItem(0)->text(0), QString("cg3-two-blocks.dat"));
        QCOMPARE(loops->topLevelItem(0)->childCount(), 2);  // the CG-3 header blocks
        QCOMPARE(loops->topLevelItem(1)->text(0), QString("aliod-loop.csv"));
        QCOMPARE(loops->topLevelItem(1)->text(1), QString("8"));
        const QString input = window->findChild<QLabel*>("inputLabel")->text();
        QVERIFY2(input.contains("\naliod-loop.csv (Aliod, 8 readings). Corrections: tide none,"), qPrintable(input));
        QTest::qWait(100);  // the caption above the results wraps once shown
        MaybeGrab(window, "adjust-two-surveys");
        window->close();
    }

    void surveysAreAddedSwitchedAndRemovedAsStepsThatUndo()
    {
        CMainFrame* frame = m_app->mainFrame();
        ProjectCommands* project = frame->projectCommands();
        QComboBox* combo = frame->surveyList()->combo();
        QVERIFY(!frame->surveyList()->box()->isVisible());  // one survey: the window as it always was

        ImportThroughDialogs(frame, kAliodExample, true, AcceptHeader, "actionAddSurvey");
        QCOMPARE(m_view->StationList().RowCount(), 8);
        QCOMPARE(frame->windowTitle(), QString("Untitled* - aliod-loop.csv - Bramble"));
        QVERIFY(frame->surveyList()->box()->isVisible());
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), QString("2  aliod-loop.csv"));
        QVERIFY(frame->findChild<QAction*>("actionSurvey2")->isChecked());

        // The first survey comes back with its work.
        combo->activated(0);
        QCOMPARE(m_view->StationList().RowCount(), 15);
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(m_view->RowCountShown(), 15);
        QVERIFY(frame->findChild<QAction*>("actionSurvey1")->isChecked());
        QCOMPARE(project->undoAction()->text(), QString("&Undo Switch Survey"));
        if (!qEnvironmentVariableIsEmpty("BRAMBLE_SCREENSHOTS")) {
            QTest::qWait(200);
            MaybeGrab(frame, "guide-surveys");
            QMenu* menu = frame->findChild<QMenu*>("surveyMenu");
            menu->popup(frame->mapToGlobal(QPoint(200, 30)));
            QTest::qWait(200);
            MaybeGrab(menu, "guide-survey-menu");
            menu->hide();
        }
        project->Undo();
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(project->undoAction()->text(), QString("&Undo Add Survey"));
        project->Undo();
        QCOMPARE(combo->count(), 1);
        QVERIFY(!frame->surveyList()->box()->isVisible());
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        project->Redo();
        QCOMPARE(m_view->StationList().RowCount(), 8);

        // Removing asks first; No keeps it.
        OnNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        frame->surveyList()->removeAction()->trigger();
        QCOMPARE(combo->count(), 2);
        OnNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        frame->surveyList()->removeAction()->trigger();
        QCOMPARE(combo->count(), 1);
        QCOMPARE(m_view->StationList().RowCount(), 15);
        QCOMPARE(frame->windowTitle(), QString("Untitled* - cg3-two-blocks.dat - Bramble"));
    }

    void anImportOverWorkIsOneStepThatUndoes()
    {
        ProjectCommands* project = m_app->mainFrame()->projectCommands();
        ImportThroughDialogs(m_app->mainFrame(), kAliodExample, true);
        QCOMPARE(m_view->StationList().RowCount(), 8);
        QCOMPARE(project->SurveyNames(), QStringList{"1  aliod-loop.csv"});
        QCOMPARE(project->undoAction()->text(), QString("&Undo Import"));
        project->undoAction()->trigger();
        QCOMPARE(m_view->StationList().RowCount(), 15);
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("Untitled* - cg3-two-blocks.dat - Bramble"));
    }

    void aRecentProjectThatIsGoneLeavesTheList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("gone.bramble");
        QVERIFY(m_app->mainFrame()->projectCommands()->SaveProjectTo(path));
        auto* recent = m_app->mainFrame()->findChild<QAction*>("actionRecentProject1");
        QVERIFY(recent);
        QVERIFY(recent->text().endsWith(QDir::toNativeSeparators(path)));
        QVERIFY(QFile::remove(path));
        const auto said = AnswerNextMessageBox();
        recent->trigger();
        QVERIFY(said->contains("no longer exists"));
        QTRY_VERIFY(!m_app->mainFrame()->findChild<QAction*>("actionRecentProject1"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
};

QTEST_MAIN(SurveyListTest)
#include "SurveyList_test.moc"
