// A survey with corrections applied is never replaced without a question,
// whichever way a file comes in: Import, a dropped file, a recent file or
// the file the command line names.
#include <functional>

#include <QMimeData>
#include <QMessageBox>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/DialogDrivers.h"
#include "../support/ImportDriver.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/StationTableView.h"
#include "session/ReductionSession.h"

using namespace bramble;
using namespace bramble::test;

namespace {

int Rows(CMainFrame* frame) { return frame->view()->table()->model()->rowCount(); }

// Answers the next replacement question with the named button and keeps its text.
std::shared_ptr<QString> AnswerReplacement(const char* button)
{
    auto text = std::make_shared<QString>();
    OnNextModal<QMessageBox>([text, button](QMessageBox* box) {
        if (box->objectName() != "replaceSurveyBox")
            return;
        *text = box->text();
        Click(box, button);
    });
    return text;
}

}  // namespace

class SurveyReplacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init()
    {
        m_app = std::make_unique<CKelpApp>();
        QVERIFY(m_app->InitInstance({"bramble"}));
        m_frame = m_app->mainFrame();
        m_frame->importCommand()->ImportFile(kCg3Example, MeterKind::cg3);  // also the first recent file
        QCOMPARE(Rows(m_frame), 15);
    }
    void cleanup() { m_app.reset(); }

    void everyWayInAsksAndCancelKeepsTheCorrectedSurvey()
    {
        ApplyBerger();
        const std::string before = m_app->session().ExportSelectedText(ExportKind::excel);
        const std::vector<std::pair<QString, std::function<void()>>> ways = {
            {"Import",
             [this] {
                 OnNextModal<CGDump>([](CGDump* dump) {
                     Click(dump, "aliodRadio");
                     ChooseNextFile(kAliodExample);
                     Click(dump, "asciiBrowseButton");
                     Click(dump, "okButton");
                 });
                 m_frame->findChild<QAction*>("actionImport")->trigger();
             }},
            {"drop", [this] { Drop(kAliodExample); }},
            {"recent file", [this] { m_frame->findChild<QAction*>("actionRecent1")->trigger(); }},
            {"command line", [this] { m_frame->importCommand()->ImportRecognised(kAliodExample); }},
        };
        for (const auto& [way, start] : ways) {
            auto question = AnswerReplacement("keepButton");
            start();
            QTRY_VERIFY2(!question->isEmpty(), qPrintable(way));
            QVERIFY2(question->startsWith("The survey \"cg3-two-blocks.dat\" has corrections applied."),
                     qPrintable(*question));
            QTest::qWait(50);  // a queued import has run
            QCOMPARE(Rows(m_frame), 15);
            QCOMPARE(m_frame->windowTitle(), QString("cg3-two-blocks.dat - Bramble"));
            QVERIFY(m_app->session().HasCorrectionsApplied());
            QCOMPARE(m_app->session().ExportSelectedText(ExportKind::excel), before);
        }
    }

    void replaceLetsTheFileIn()
    {
        ApplyBerger();
        auto question = AnswerReplacement("replaceButton");
        MaybeGrabNextQuestion();
        ImportThroughDialogs(m_frame, kAliodExample, true);
        QVERIFY(!question->isEmpty());
        QCOMPARE(Rows(m_frame), 8);
        QCOMPARE(m_frame->windowTitle(), QString("aliod-loop.csv - Bramble"));
        QVERIFY(!m_app->session().HasCorrectionsApplied());
    }

    void aSurveyWithNothingAppliedGoesWithoutAQuestion()
    {
        BoxCloser boxes;
        ImportThroughDialogs(m_frame, kAliodExample, true);
        QCOMPARE(Rows(m_frame), 8);
        QCOMPARE(boxes.texts, QStringList());
    }

private:
    void ApplyBerger()
    {
        ReductionSession& session = m_app->session();
        session.SelectStations({});
        CorrectionSettings chosen = session.Corrections();
        chosen.m_nTideMode = kTideBerger;
        session.ApplyCorrections(chosen);
        QVERIFY(session.HasCorrectionsApplied());
    }

    void Drop(const QString& path)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = m_frame->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(m_frame, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(m_frame, &drop);
    }

    static void MaybeGrabNextQuestion()
    {
        if (qEnvironmentVariableIsEmpty("BRAMBLE_SCREENSHOTS"))
            return;
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                MaybeGrab(box, "guide-replace-survey");
                timer->deleteLater();
            }
        });
        timer->start(2);
    }

    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CMainFrame* m_frame = nullptr;
};

QTEST_MAIN(SurveyReplacementTest)
#include "SurveyReplacement_test.moc"
