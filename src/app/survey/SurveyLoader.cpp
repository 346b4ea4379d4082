#include "survey/SurveyLoader.h"

#include <atomic>
#include <memory>
#include <thread>
#include <utility>

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

namespace bramble {
namespace {

// What the window's thread and the worker share. The worker owns a
// reference too, so an abandoned job stays alive until it ends.
struct Job {
    std::function<void()> work;
    std::atomic<bool> finished{false};
};

QString FileName(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

}  // namespace

SurveyLoader::SurveyLoader(QWidget* window) : QObject(window), m_pWindow(window) { }

bool SurveyLoader::RunOffThread(const QString& label, std::function<void()> work)
{
    m_bBusy = true;
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    std::thread([job] {
        job->work();
        job->finished.store(true, std::memory_order_release);
    }).detach();

    QProgressDialog progress(m_pWindow);
    progress.setObjectName("loadProgress");
    progress.setWindowTitle("Bramble");
    progress.setLabelText(label);
    progress.setCancelButtonText("Cancel");
    progress.setRange(0, 0);  // the readers report no progress: a busy bar
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, &loop, [&loop, &job] {
        if (job->finished.load(std::memory_order_acquire))
            loop.quit();
    });
    // Cancel, Escape and the close box all give the window back.
    connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    connect(&progress, &QDialog::rejected, &loop, &QEventLoop::quit);
    poll.start();
    if (!job->finished.load(std::memory_order_acquire))
        loop.exec();
    const bool finished = job->finished.load(std::memory_order_acquire);
    progress.hide();
    m_bBusy = false;
    return finished;
}

std::optional<Result<ImportedSurvey>> SurveyLoader::Read(const std::string& path, MeterKind meter,
                                                         const AliodHeaderTexts& header)
{
    auto read = std::make_shared<Result<ImportedSurvey>>();
    const bool finished = RunOffThread(QString("Reading %1 ...").arg(FileName(path)),
                                       [read, path, meter, header] { *read = ReadSurveyFile(path, meter, header); });
    if (!finished)
        return std::nullopt;
    return std::move(*read);
}

std::optional<std::optional<MeterType>> SurveyLoader::Recognise(const std::string& path)
{
    auto type = std::make_shared<std::optional<MeterType>>();
    const bool finished = RunOffThread(QString("Opening %1 ...").arg(FileName(path)),
                                       [type, path] { *type = RecogniseMeterType(path); });
    if (!finished)
        return std::nullopt;
    return *type;
}

}  // namespace bramble
