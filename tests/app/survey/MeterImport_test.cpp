// CG-5, CG-6 and Burris files through the windows: the Import dialog's
// meter choice, a dropped file recognised from its content, and a file of
// no kind refused with the kinds tried.
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/StationTableView.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kMeters = BRAMBLE_TEST_DATA "/meters/";

QAbstractItemModel* Model(CMainFrame* frame) { return frame->view()->table()->model(); }

// The list's cell of the reading with this 1-based index in the file.
QString Cell(CMainFrame* frame, int stationIndex, int column)
{
    QAbstractItemModel* model = Model(frame);
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, CStationList::kStationIndex).data().toString().toInt() == stationIndex)
            return model->index(row, column).data().toString();
    return "(no such reading)";
}

void Drop(CMainFrame* frame, const QString& path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = frame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &drop);
}

}  // namespace

class MeterImportTest : public QObject {
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

    void aCg6FileChosenInTheImportDialogReachesTheList()
    {
        ImportMeterFile(m_frame, kMeters + "CG-6_TestData.dat", "cg6Radio");
        QCOMPARE(m_app->document().Meter(), MeterKind::cg6);
        QCOMPARE(Model(m_frame)->rowCount(), static_cast<int>(m_app->document().m_Readings.size()));
        QVERIFY(Model(m_frame)->rowCount() > 40);
        QCOMPARE(Cell(m_frame, 1, CStationList::kStation), QString("RMCL_1"));
        QCOMPARE(Cell(m_frame, 1, CStationList::kEtc), QString(" -0.049"));
        QCOMPARE(Cell(m_frame, 1, CStationList::kRejected), QString());
        QCOMPARE(m_frame->windowTitle(), QString("CG-6_TestData.dat - Bramble"));
    }

    void aDroppedFileIsReadByTheMeterItsContentNames()
    {
        Drop(m_frame, kMeters + "B44_2017-12-05.txt");
        QSignalSpy done(m_frame->importCommand(), &ImportCommand::imported);
        QVERIFY(done.wait(5000));
        QCOMPARE(m_app->document().Meter(), MeterKind::burris);
        QCOMPARE(Cell(m_frame, 1, CStationList::kStation), QString("rg37"));
    }

    void aFileOfNoKindIsRefusedNamingTheKindsTried()
    {
        Drop(m_frame, kMeters + "CG-5_TestData.txt");
        QSignalSpy done(m_frame->importCommand(), &ImportCommand::imported);
        QVERIFY(done.wait(5000));
        const int rows = Model(m_frame)->rowCount();
        auto message = AnswerNextMessageBox();
        Drop(m_frame, BRAMBLE_TEST_DATA "/polar/finals-2005-01-26.daily");
        QTRY_COMPARE(*message, QString("finals-2005-01-26.daily is none of the meter files Bramble reads (tried "
                                       "CG-3, Aliod, CG-5, CG-6 and Burris)."));
        // The survey shown stays.
        QCOMPARE(m_app->document().Meter(), MeterKind::cg5);
        QCOMPARE(Model(m_frame)->rowCount(), rows);
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<CKelpApp> m_app;
    CMainFrame* m_frame = nullptr;
};

QTEST_MAIN(MeterImportTest)
#include "MeterImport_test.moc"
