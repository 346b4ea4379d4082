#include <memory>

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "corrections/RecalcWithProgress.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

using namespace bramble;

namespace {

// Runs `action` on every modal widget of type T that comes up while the
// timer runs (checked every 10 ms); returns how many it saw.
template <class T>
std::shared_ptr<int> OnModals(std::function<void(T*)> action)
{
    auto seen = std::make_shared<int>(0);
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [action, seen] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget()); widget && widget->isVisible()) {
            ++*seen;
            action(widget);
        }
    });
    timer->start();
    return seen;
}

// A CG-3 survey at 40.03 N whose E.T.C. values are far from any tide.
void FillSurvey(CKelpDoc& doc, int readings, double etc)
{
    auto header = std::make_unique<CScintrexHeader>();
    header->m_nIndex = 1;
    header->m_dLatitude = 40.03;
    header->m_dLongitude = 105.05;
    doc.m_pCurHeader = header.get();
    doc.m_Headers.push_back(std::move(header));
    for (int i = 0; i < readings; ++i) {
        auto r = std::make_unique<CScintrexStation>();
        r->m_pHeader = doc.m_pCurHeader;
        r->m_nStationIndex = r->m_nRecord = i + 1;
        r->m_dtTime = DateTime(43536.9 + i * 1e-5);
        r->m_dRawGrav = r->m_dGrav = 2489.9;
        r->m_dEtc = r->m_dEtcRead = etc;
        r->m_dGravLessEtc = r->m_dRawGrav - etc;
        doc.m_Readings.push_back(std::move(r));
    }
    doc.m_nRecords = readings;
}

}  // namespace

class RecalcWithProgressTest : public QObject {
    Q_OBJECT

private slots:
    void warningsAreShownOnce()
    {
        CKelpDoc doc;
        CStationList list(doc);
        FillSurvey(doc, 20, 0.5);
        list.Fill(0);
        list.SelectAll();
        CorrectionSettings settings;
        settings.m_nTideMode = kTideBerger;
        QStringList texts;
        auto seen = OnModals<QMessageBox>([&texts](QMessageBox* box) {
            texts << box->text();
            box->accept();
        });
        SelectionSummary summary;
        const RecalcResult result = RecalcWithProgress(nullptr, list.SelectedCount(), [&](const RecalcOptions& o) {
            return RecalcSelection(doc, list, settings, {}, summary, o);
        });
        QCOMPARE(result.Value().m_nRecomputed, 20);
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains("GMT Difference"));
    }

    void cancellingTheProgressStopsBetweenReadings()
    {
        CKelpDoc doc;
        CStationList list(doc);
        const int count = RecalcOptions::kProgressStep * 40;
        FillSurvey(doc, count, 0.0);
        list.Fill(0);
        list.SelectAll();
        CorrectionSettings settings;
        settings.m_nTideMode = kTideBerger;
        SelectionSummary summary;
        summary.m_dGrav = 42.0;
        auto seen = OnModals<QProgressDialog>([](QProgressDialog* progress) { progress->cancel(); });
        const RecalcResult result = RecalcWithProgress(nullptr, list.SelectedCount(), [&](const RecalcOptions& o) {
            return RecalcSelection(doc, list, settings, {}, summary, o);
        });
        QVERIFY(*seen > 0);
        QVERIFY(result.Value().m_bCancelled);
        QVERIFY(result.Value().m_nRecomputed < count);
        QVERIFY(result.Value().m_nRecomputed % RecalcOptions::kProgressStep == 0);
        QCOMPARE(summary.m_dGrav, 42.0);
        QVERIFY(list.Text(result.Value().m_nRecomputed, CStationList::kCorrectedGrav).empty());
        QVERIFY(!list.Text(result.Value().m_nRecomputed - 1, CStationList::kCorrectedGrav).empty());
    }
};

QTEST_MAIN(RecalcWithProgressTest)
#include "RecalcWithProgress_test.moc"
