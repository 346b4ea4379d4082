#include "survey/SurveyLoader.h"

#include <memory>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>

#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

// Keeps the reader's messages until they can be shown on the window's thread.
class CollectedMessages final : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

constexpr int kHintScintrex = 0;
constexpr int kHintAliod = 1;

}  // namespace

SurveyLoader::SurveyLoader(CKelpDoc& doc, QWidget* window) : QObject(window), m_doc(doc), m_pWindow(window) {}

ReadReport SurveyLoader::Load(const std::string& path, bool aliod)
{
    m_bBusy = true;
    auto staging = std::make_unique<CKelpDoc>();
    // The Aliod reader builds its header from the texts the operator typed.
    staging->m_strSerialNumber = m_doc.m_strSerialNumber;
    staging->m_strAvgLatitude = m_doc.m_strAvgLatitude;
    staging->m_strAvgLongitude = m_doc.m_strAvgLongitude;
    staging->m_strOperator = m_doc.m_strOperator;
    staging->m_strOperTemp = m_doc.m_strOperTemp;
    CollectedMessages messages;
    staging->SetMessageSink(&messages);

    ReadReport report;
    CKelpDoc* reader = staging.get();
    std::unique_ptr<QThread> worker(QThread::create([reader, &report, &path, aliod] {
        report = aliod ? reader->ReadAliodFile(path) : reader->ReadScintrexFile(path);
    }));

    QProgressDialog progress(m_pWindow);
    progress.setObjectName("loadProgress");
    progress.setWindowTitle("Bramble");
    progress.setLabelText(QString("Reading %1 ...").arg(QFileInfo(QString::fromStdString(path)).fileName()));
    progress.setCancelButton(nullptr);   // a reader cannot be interrupted
    progress.setRange(0, 0);              // the reader reports no progress: a busy bar
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);

    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();

    // The survey moves over whole: the records stay where they are, so the
    // "current" pointers stay valid.
    progress.setLabelText("Listing the readings ...");
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_doc.ClearSurvey();
    m_doc.m_Readings = std::move(staging->m_Readings);
    m_doc.m_Headers = std::move(staging->m_Headers);
    m_doc.m_pCurHeader = std::exchange(staging->m_pCurHeader, nullptr);
    m_doc.m_pCurStation = std::exchange(staging->m_pCurStation, nullptr);
    m_doc.m_pCurAliodHeader = std::exchange(staging->m_pCurAliodHeader, nullptr);
    m_doc.m_pCurAliodStation = std::exchange(staging->m_pCurAliodStation, nullptr);
    m_doc.m_nRecords = staging->m_nRecords;
    m_doc.UpdateAllViews(aliod ? kHintAliod : kHintScintrex);
    progress.reset();

    for (const std::string& text : messages.messages)
        m_doc.ShowMessage(text);
    m_bBusy = false;
    return report;
}

}  // namespace bramble
