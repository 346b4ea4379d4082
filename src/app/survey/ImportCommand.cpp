#include "survey/ImportCommand.h"

#include <QMessageBox>
#include <QWidget>

#include "logger/CGDump.h"
#include "survey/CDlgAliodHeader.h"
#include "session/ReductionSession.h"
#include "survey/CKelpDoc.h"

namespace bramble {

ImportCommand::ImportCommand(ReductionSession& session, QWidget* window)
    : QObject(window), m_doc(session.Document()), m_pWindow(window), m_loader(session, window)
{ }

QString ImportCommand::TitleOf(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(slash + 1);
}

void ImportCommand::OnFileImport()
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
        m_doc.m_strFilePath = dump.ReceiveFileName().toStdString();
        if (!dump.ReceiveFileName().isEmpty())
            Read(dump.ReceiveFileName(), false);
    } else if (dump.AsciiFileMode()) {
        m_doc.m_strFilePath = dump.AsciiFileName().toStdString();
        if (!dump.AsciiFileName().isEmpty())
            Read(dump.AsciiFileName(), dump.MeterType() == CGDump::kAliod);
    } else {
        ShowNoData();
    }
}

void ImportCommand::ImportFile(const QString& path, bool aliod)
{
    if (IsBusy() || path.isEmpty())
        return;
    m_doc.m_bInstrument = false;
    m_doc.m_bAsciiFile = true;
    m_doc.m_strFilePath = path.toStdString();
    Read(path, aliod);
}

void ImportCommand::Read(const QString& path, bool aliod)
{
    m_doc.m_bAliod = aliod;
    // The header texts change only on OK; the file is read either way, with
    // the texts of the previous Aliod import otherwise.
    std::optional<AliodHeaderTexts> header;
    if (aliod) {
        CDlgAliodHeader dialog(m_pWindow);
        if (dialog.exec() == QDialog::Accepted)
            header = dialog.Texts();
    }
    const ReadReport report = m_loader.Load(path.toStdString(), aliod ? MeterKind::aliod : MeterKind::cg3, header);
    m_doc.SetTitle(TitleOf(path).toStdString());
    emit imported(path, aliod, report.HasValue());
}

void ImportCommand::ShowNoData()
{
    QMessageBox box(QMessageBox::NoIcon, "Bramble", "No data to Parse", QMessageBox::Ok, m_pWindow);
    box.setObjectName("noDataBox");
    box.exec();
}

}  // namespace bramble
