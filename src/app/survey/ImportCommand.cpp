#include "survey/ImportCommand.h"

#include <QMessageBox>
#include <QWidget>

#include "logger/CGDump.h"
#include "survey/CDlgAliodHeader.h"
#include "survey/CKelpDoc.h"

namespace bramble {

ImportCommand::ImportCommand(CKelpDoc& doc, QWidget* window)
    : QObject(window), m_doc(doc), m_pWindow(window), m_loader(doc, window)
{
}

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
        return;   // the previous survey stays loaded and shown
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
    if (aliod) {
        // The header texts change only on OK; the file is read either way.
        CDlgAliodHeader header(m_pWindow);
        if (header.exec() == QDialog::Accepted) {
            m_doc.m_strSerialNumber = header.m_strSerialNumber.toStdString();
            m_doc.m_strAvgLatitude = header.m_strAvgLatitude.toStdString();
            m_doc.m_strAvgLongitude = header.m_strAvgLongitude.toStdString();
            m_doc.m_strOperator = header.m_strOperator.toStdString();
            m_doc.m_strOperTemp = header.m_strOperTemp.toStdString();
        }
    }
    const ReadReport report = m_loader.Load(path.toStdString(), aliod);
    m_doc.SetTitle(TitleOf(path).toStdString());
    emit imported(path, aliod, report.opened);
}

void ImportCommand::ShowNoData()
{
    QMessageBox box(QMessageBox::NoIcon, "Bramble", "No data to Parse", QMessageBox::Ok, m_pWindow);
    box.setObjectName("noDataBox");
    box.exec();
}

}  // namespace bramble
