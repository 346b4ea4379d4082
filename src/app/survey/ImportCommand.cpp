#include "survey/ImportCommand.h"

#include <filesystem>
#include <system_error>

#include <QMessageBox>
#include <QWidget>

#include "logger/CGDump.h"
#include "session/ReductionSession.h"
#include "survey/CDlgAliodHeader.h"
#include "survey/CKelpDoc.h"
#include "survey/MeterTypeGuess.h"
#include "survey/SurveyReplacement.h"

namespace bramble {
namespace {

MeterKind KindOfChoice(int choice)
{
    switch (choice) {
    case CGDump::kAliod:
        return MeterKind::aliod;
    case CGDump::kCG5:
        return MeterKind::cg5;
    case CGDump::kCG6:
        return MeterKind::cg6;
    case CGDump::kBurris:
        return MeterKind::burris;
    default:
        return MeterKind::cg3;
    }
}

}  // namespace

ImportCommand::ImportCommand(ReductionSession& session, QWidget* window)
    : QObject(window), m_session(session), m_doc(session.Document()), m_pWindow(window), m_loader(window)
{ }

QString ImportCommand::TitleOf(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(slash + 1);
}

void ImportCommand::OnFileImport(bool add)
{
    if (IsBusy())
        return;
    CGDump dump(m_pWindow);
    if (dump.exec() != QDialog::Accepted)
        return;  // the previous survey stays loaded and shown
    m_doc.m_bInstrument = dump.InstrumentMode();
    m_doc.m_bAsciiFile = dump.AsciiFileMode();
    if (dump.InstrumentMode()) {
        // Logged data is always a CG-3 dump.
        if (!dump.ReceiveFileName().isEmpty())
            Read(dump.ReceiveFileName(), MeterKind::cg3, add);
    } else if (dump.AsciiFileMode()) {
        if (!dump.AsciiFileName().isEmpty())
            Read(dump.AsciiFileName(), KindOfChoice(dump.MeterType()), add);
    } else {
        ShowNoData();
    }
}

void ImportCommand::ImportFile(const QString& path, MeterKind meter)
{
    Read(path, meter);
}

void ImportCommand::ImportRecognised(const QString& path) { Read(path, std::nullopt); }

void ImportCommand::Read(const QString& path, std::optional<MeterKind> meter, bool add)
{
    if (IsBusy() || path.isEmpty() || (add && !m_adopt))
        return;
    if (!add && !MayReplaceSurvey(m_pWindow, m_session, path))
        return;
    const std::string file = path.toStdString();
    if (!meter) {
        const auto recognised = m_loader.Recognise(file);
        if (!recognised)
            return;  // cancelled while the file was being opened
        if (*recognised) {
            meter = MeterKindOf(**recognised);
        } else if (std::error_code ec; std::filesystem::is_regular_file(file, ec)) {
            ShowNoKind(path);
            return;
        } else {
            meter = MeterKind::cg3;  // a pipe or a device is not looked into: read as a CG-3 dump
        }
    }
    const bool aliod = *meter == MeterKind::aliod;

    // The header texts are those typed with OK; Cancel or Escape cancels the import.
    AliodHeaderTexts header = m_doc.m_AliodHeader;
    if (aliod) {
        CDlgAliodHeader dialog(m_pWindow);
        if (dialog.exec() != QDialog::Accepted)
            return;
        header = dialog.Texts();
    }

    auto read = m_loader.Read(file, *meter, header);
    if (!read)
        return;  // cancelled: the survey stays as it was
    const int readings = read->Value().counts ? read->Value().counts->readings : 0;
    const Outcome adopted =
        m_adopt ? m_adopt(std::move(read->Value()), path, *meter, add) : m_session.Adopt(std::move(read->Value()));
    if (adopted.Failed()) {
        // One message: what the reader said when it could not read the
        // file, else why nothing was taken and the reader's warnings.
        std::string text = read->ErrorText();
        if (text.empty()) {
            text = adopted.ErrorText();
            for (const std::string& warning : read->Texts(Severity::warning))
                text += "\n\n" + warning;
        }
        m_doc.ShowMessage(text);
        emit imported(path, *meter, false);
        return;
    }
    m_doc.SetTitle(TitleOf(path).toStdString());
    QStringList warnings;
    for (const std::string& warning : read->Texts(Severity::warning))
        warnings << QString::fromStdString(warning);
    ShowWarnings(path, readings, warnings);
    emit imported(path, *meter, true);
}

void ImportCommand::ShowWarnings(const QString& path, int readings, const QStringList& warnings)
{
    // A new import's warnings take the place of the last ones.
    if (m_pWarnings) {
        m_pWarnings->hide();
        m_pWarnings->deleteLater();
    }
    if (warnings.isEmpty())
        return;
    // Shown beside the window, not in its way: the survey is already listed.
    auto* box = new QMessageBox(QMessageBox::Warning, "Bramble",
                                QString("%1 readings of %2 are listed. The reader says:").arg(readings).arg(TitleOf(path)),
                                QMessageBox::Ok, m_pWindow);
    box->setObjectName("readWarningsBox");
    box->setInformativeText(warnings.join("\n\n"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    m_pWarnings = box;
}

void ImportCommand::ShowNoData()
{
    QMessageBox box(QMessageBox::NoIcon, "Bramble", "No data to Parse", QMessageBox::Ok, m_pWindow);
    box.setObjectName("noDataBox");
    box.exec();
}

void ImportCommand::ShowNoKind(const QString& path)
{
    const QString text = QStringLiteral("%1 is none of the meter files Bramble reads (tried %2).")
                             .arg(TitleOf(path), QString::fromStdString(MeterTypesTried()));
    QMessageBox box(QMessageBox::Warning, "Bramble", text, QMessageBox::Ok, m_pWindow);
    box.setObjectName("noKindBox");
    box.exec();
}

}  // namespace bramble
