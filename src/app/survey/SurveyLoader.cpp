#include "survey/SurveyLoader.h"

#include <memory>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>

#include "session/ReductionSession.h"
#include "survey/CKelpDoc.h"

namespace bramble {

SurveyLoader::SurveyLoader(ReductionSession& session, QWidget* window)
    : QObject(window), m_session(session), m_pWindow(window)
{ }

ReadReport SurveyLoader::Load(const std::string& path, MeterKind meter, const std::optional<AliodHeaderTexts>& header)
{
    m_bBusy = true;
    const AliodHeaderTexts texts = header.value_or(m_session.Document().m_AliodHeader);
    Result<ImportedSurvey> read;
    std::unique_ptr<QThread> worker(
        QThread::create([&read, &path, meter, &texts] { read = ReadSurveyFile(path, meter, texts); }));

    QProgressDialog progress(m_pWindow);
    progress.setObjectName("loadProgress");
    progress.setWindowTitle("Bramble");
    progress.setLabelText(QString("Reading %1 ...").arg(QFileInfo(QString::fromStdString(path)).fileName()));
    progress.setCancelButton(nullptr);  // a reader cannot be interrupted
    progress.setRange(0, 0);            // the reader reports no progress: a busy bar
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);

    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();

    progress.setLabelText("Listing the readings ...");
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ReadReport report(static_cast<const Outcome&>(read));
    if (read.Value().counts)
        report.SetValue(*read.Value().counts);
    m_session.Adopt(std::move(read.Value()));
    progress.reset();

    for (const std::string& text : read.Texts(Severity::error))
        m_session.Document().ShowMessage(text);
    m_bBusy = false;
    return report;
}

}  // namespace bramble
