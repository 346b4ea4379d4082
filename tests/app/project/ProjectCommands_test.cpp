// The project in the main window: undo and redo of commands, rejecting a
// reading, saving and opening a project, the caption and the question
// before unsaved changes are dropped.
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "../support/StationListDriver.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/StationListModel.h"
#include "project/ProjectCommands.h"

using namespace bramble;
using namespace bramble::test;

class ProjectCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init()
    {
        m_view = StartProgram(m_app);
        QVERIFY(m_view);
        ImportThroughDialogs(m_app->mainFrame(), kCg3Example, false);
        QCOMPARE(m_view->StationList().RowCount(), 15);
    }
    void cleanup() { m_app.reset(); }

    void commandsAreUndoneAndRedone()
    {
        ProjectCommands* project = m_app->mainFrame()->projectCommands();
        // An import alone is no change to save; a command is.
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
        QVERIFY(!project->undoAction()->isEnabled());
        m_view->OnSelectAll();
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("Untitled* - cg3-two-blocks.dat - Bramble"));
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(project->undoAction()->text(), QString("&Undo Select All"));
        project->undoAction()->trigger();
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
        QCOMPARE(m_view->table()->selectionModel()->selectedRows().size(), 0);
        QVERIFY(project->redoAction()->isEnabled());
        project->redoAction()->trigger();
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(m_view->table()->selectionModel()->selectedRows().size(), 15);
        // Nothing changed, no step.
        m_view->OnSelectAll();
        QCOMPARE(project->undoAction()->text(), QString("&Undo Select All"));
        project->undoAction()->trigger();
        QVERIFY(!project->undoAction()->isEnabled());
    }

    void aRejectedReadingShowsItsReasonAndCannotBeSelected()
    {
        OnNextModal<QInputDialog>([](QInputDialog* dialog) {
            dialog->setTextValue("meter bumped");
            dialog->accept();
        });
        m_view->OnRejectReading(2);
        const QAbstractItemModel* model = m_view->table()->model();
        QCOMPARE(model->data(model->index(2, StationListModel::kReasonColumn)).toString(), QString("meter bumped"));
        QCOMPARE(model->headerData(StationListModel::kReasonColumn, Qt::Horizontal).toString(),
                 QString("Rejection Reason"));
        m_view->OnSelectAll();
        QVERIFY(!m_view->StationList().IsSelected(2));
        QCOMPARE(m_view->table()->selectionModel()->selectedRows().size(), 14);
        QVERIFY(!m_view->table()->model()->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
        // Undo the selection, then the rejection.
        ProjectCommands* project = m_app->mainFrame()->projectCommands();
        project->Undo();
        project->Undo();
        QVERIFY(!m_view->StationList().IsRejected(2));
        QCOMPARE(model->data(model->index(2, StationListModel::kReasonColumn)).toString(), QString());
    }

    void aSavedProjectOpensAsItWasAndTheCaptionSaysSo()
    {
        ProjectCommands* project = m_app->mainFrame()->projectCommands();
        m_view->OnSelectAll();
        m_view->RecalcSelection();
        m_view->OnRestoreReading(0);  // not rejected: nothing happens
        QTemporaryDir dir;
        const QString path = dir.filePath("survey.bramble");
        QVERIFY(project->SaveProjectTo(path));
        QCOMPARE(m_app->mainFrame()->windowTitle(), QString("survey.bramble - cg3-two-blocks.dat - Bramble"));
        const QString before = Cell(m_view, 4, CStationList::kCorrectedGrav);
        m_view->OnSelectNone();
        QVERIFY(m_app->mainFrame()->windowTitle().startsWith("survey.bramble* - "));

        // Opening asks first; Cancel keeps everything.
        OnNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
        QVERIFY(!project->MaybeSave());
        QCOMPARE(m_view->StationList().SelectedCount(), 0);
        QVERIFY(project->OpenProject(path));
        QCOMPARE(m_view->StationList().SelectedCount(), 15);
        QCOMPARE(Cell(m_view, 4, CStationList::kCorrectedGrav), before);
        QVERIFY(!project->IsModified());
        QVERIFY(!project->undoAction()->isEnabled());
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CKelpView* m_view = nullptr;
};

QTEST_MAIN(ProjectCommandsTest)
#include "ProjectCommands_test.moc"
