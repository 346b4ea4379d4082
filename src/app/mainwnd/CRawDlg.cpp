#include "mainwnd/CRawDlg.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/PrintText.h"
#include "logger/CListBoxEx.h"
#include "mainwnd/RawText.h"
#include "survey/CKelpDoc.h"

namespace bramble {

CRawDlg::CRawDlg() : QDialog(nullptr)
{
    setObjectName("rawDialog");
    setWindowTitle("RawText");
    setModal(false);

    m_pListBox = new CListBoxEx(this);
    m_pListBox->setObjectName("rawList");
    m_pListBox->setProperty("controlId", 1063);
    m_pListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    okButton->setProperty("controlId", 1);
    okButton->setDefault(true);
    auto* printButton = new QPushButton("Print", this);
    printButton->setObjectName("printButton");
    printButton->setProperty("controlId", 1101);
    printButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(printButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pListBox, 1);
    layout->addLayout(buttons);

    // OK (and Esc, and the close box) only hides the window; the view shows
    // it again on the next Raw command.
    connect(okButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(printButton, &QPushButton::clicked, this, &CRawDlg::OnPrint);

    const int charWidth = m_pListBox->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    resize(charWidth * 84 + 60, 480);
}

void CRawDlg::SetSource(const CKelpDoc& doc, const CStationList& list, int sortColumn)
{
    m_pDoc = &doc;
    m_pList = &list;
    m_nSortColumn = sortColumn;
}

void CRawDlg::Rebuild()
{
    m_pListBox->clear();
    if (!m_pDoc || !m_pList)
        return;
    m_strFile = QString::fromStdString(m_pDoc->m_strFilePath);
    // The extraction only reads the list, so its order (m_nSortColumn's
    // sort) is the same afterwards and needs no re-sort.
    const RawText text = ExtractRawText(*m_pDoc, *m_pList);
    if (!text.error.empty()) {
        QMessageBox box(QMessageBox::Warning, "RawText", QString::fromStdString(text.error), QMessageBox::Ok, this);
        box.setObjectName("rawErrorBox");
        box.exec();
        return;
    }
    int index = 0;
    for (const std::string& line : text.lines) {
        // The synthesized Aliod header goes in as a scrolling log, the
        // file's lines with keep-all.
        m_pListBox->AddLine(QString::fromStdString(line), index >= text.headerLines);
        ++index;
    }
}

QStringList CRawDlg::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_pListBox->count(); ++i)
        lines << m_pListBox->item(i)->text();
    return lines;
}

void CRawDlg::OnPrint() { PrintTextLines(this, Lines(), PrintRangeChoice::selection); }

}  // namespace bramble
